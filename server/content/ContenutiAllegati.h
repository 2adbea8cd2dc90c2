#pragma once

#include <QString>
#include <QVariant>

#include <optional>

// The files an article offers, as they lie in the site's folder
// "/images/articoli/files/" under their row's ID with their own
// extension, and the texts the page shows of them.
class ContenutiAllegati
{
public:
    ContenutiAllegati() = delete;

    static const QString kCartella;

    struct File
    {
        QString percorso;        // "/images/articoli/files/12.pdf"
        float dimensione = 0;    // in the unit, one decimal
        QString unita;           // "bytes", "Kbytes" or "Mbytes"
    };
    // The file of row id in the folder on disk (the first by name when
    // several match); nothing when there is none.
    static std::optional<File> Cerca(const QString& cartellaDisco, qint32 id);
    // A size in bytes as the page shows it.
    static void Dimensione(qint64 byte, float& dimensione, QString& unita);

    // A stored date as the shop writes dates, empty when null.
    static QString Data(const QVariant& valore);
};
