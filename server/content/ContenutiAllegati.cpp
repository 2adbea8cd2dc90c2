#include "server/content/ContenutiAllegati.h"

#include "platform/ado/CAdoRecordset.h"
#include "platform/asp/CAspRegionalSettings.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

const QString ContenutiAllegati::kCartella = QStringLiteral("/images/articoli/files/");

std::optional<ContenutiAllegati::File> ContenutiAllegati::Cerca(const QString& cartellaDisco, qint32 id)
{
    const QString nome = QString::number(id);
    const QFileInfoList trovati = QDir(cartellaDisco).entryInfoList({nome, nome + QStringLiteral(".*")},
                                                                    QDir::Files, QDir::Name);
    if (trovati.isEmpty())
        return std::nullopt;
    const QFileInfo& file = trovati.first();
    File risultato;
    Dimensione(file.size(), risultato.dimensione, risultato.unita);
    // A file kept without an extension is served under its bare ID.
    const QString estensione = file.fileName().mid(nome.size());
    risultato.percorso = kCartella + nome + estensione;
    return risultato;
}

void ContenutiAllegati::Dimensione(qint64 byte, float& dimensione, QString& unita)
{
    double valore = double(byte);
    unita = QStringLiteral("bytes");
    if (valore > 1024) {
        valore /= 1024;
        unita = QStringLiteral("Kbytes");
        if (valore > 1024) {
            valore /= 1024;
            unita = QStringLiteral("Mbytes");
        }
    }
    dimensione = static_cast<float>(std::round(valore * 10.0) / 10.0);
}

QString ContenutiAllegati::Data(const QVariant& valore)
{
    if (!valore.isValid() || valore.isNull())
        return QString();
    const QDateTime data = CAdoRecordset::DateValue(valore);
    if (!data.isValid())
        return QString();
    QString formato = CAspRegionalSettings::Current().dateFormat(QLocale::ShortFormat);
    if (!formato.contains(QStringLiteral("yyyy")))
        formato.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return CAspRegionalSettings::Current().toString(data.date(), formato);
}
