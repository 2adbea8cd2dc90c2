#pragma once

#include "desktop/design/CDefinizioneStiliCore.h"
#include "desktop/shell/controls/tests/ShopTestDb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <memory>

// A small graphic project for the style dialog's tests: block 5 with the
// classes "Titolo" (ID 11, first by Ordine) and "Testo" (ID 10), block 6
// with "Altro" (ID 20), block 7 without classes; the active languages
// Francese (fr), Inglese (en) and Italiano (it), and an inactive one.
// Shop and graphic tables share one database here.
struct StiliFixture
{
    static constexpr qint32 kBlock = 5;
    static constexpr qint32 kOtherBlock = 6;
    static constexpr qint32 kEmptyBlock = 7;
    static constexpr qint32 kTitolo = 11;
    static constexpr qint32 kTesto = 10;
    static constexpr qint32 kAltro = 20;

    ShopTestDb db;
    QStringList clipboard;
    int nextAttributeId = 1;

    StiliFixture()
    {
        db.Row(QStringLiteral("Lingue"), {{"ID", 1}, {"Codice", "it"}, {"Descrizione", "Italiano"}, {"Attivo", 1}});
        db.Row(QStringLiteral("Lingue"), {{"ID", 2}, {"Codice", "en"}, {"Descrizione", "Inglese"}, {"Attivo", 1}});
        db.Row(QStringLiteral("Lingue"), {{"ID", 3}, {"Codice", "de"}, {"Descrizione", "Tedesco"}, {"Attivo", 0}});
        db.Row(QStringLiteral("Lingue"), {{"ID", 4}, {"Codice", "fr"}, {"Descrizione", "Francese"}, {"Attivo", 1}});
        Class(kTesto, kBlock, "Testo", "Il testo delle pagine", 2);
        Class(kTitolo, kBlock, "Titolo", "I titoli", 1);
        Class(kAltro, kOtherBlock, "Altro", "Un altro blocco", 1);
    }

    void Class(qint32 id, qint32 block, const char* name, const char* description, qint32 order)
    {
        db.Row(QStringLiteral("ClassiCSS"), {{"ID", id}, {"IDCodiceASP", block}, {"Nome", name},
                                             {"Descrizione", description}, {"Ordine", order},
                                             {"NomeCSS", QStringLiteral(".%1").arg(name)}, {"IDModello", 0}});
    }

    void Attr(qint32 classId, int attribute, const QString& value)
    {
        db.Row(QStringLiteral("AttributiCSS"), {{"ID", nextAttributeId++}, {"IDClasse", classId},
                                                {"IDAttributo", attribute}, {"Valore", value}});
    }

    // The stored value, or "(no row)".
    QString Stored(qint32 classId, int attribute)
    {
        const QVariant value = db.Value(
            QStringLiteral("SELECT Valore FROM AttributiCSS WHERE IDClasse=? AND IDAttributo=?"), {classId, attribute});
        return value.isValid() ? value.toString() : QStringLiteral("(no row)");
    }

    int Rows() { return db.Value(QStringLiteral("SELECT COUNT(*) FROM AttributiCSS")).toInt(); }

    std::unique_ptr<CDefinizioneStiliCore> Open(qint32 block = kBlock)
    {
        auto core = std::make_unique<CDefinizioneStiliCore>(db.Db(), db.Db(), block, db.Folder(), clipboard);
        core->Open();
        return core;
    }

    QString Images() const { return db.Folder() + QStringLiteral("website/images/"); }

    // A file under the images folder ("sfondo.jpg", "en/sfondo.jpg").
    void Image(const QString& relative, const QByteArray& content = "image")
    {
        const QString path = Images() + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }

    bool HasImage(const QString& relative) const { return QFileInfo::exists(Images() + relative); }
};
