#pragma once

#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>

class CAdoConnection;
class CAdoRecordset;

// What a shop's pages read on every visit and only the desktop's
// synchronisation writes (settings, options, languages, currencies, price
// lists, size tables, the company page, the dictionary, the category tree
// with its texts, the visitors' rights, the categories and colour counts
// of a page's products): the rows of each such query, kept
// per shop database for every page thread of the process.
//
// When the kept rows hold: every page reads the shop's data generation
// (QtrDataGeneration) once, at its first cached query, and uses kept rows
// only when they were read under that same generation. A synchronisation
// write raises it in its own transaction, so the next page of every server
// on the database reads anew: never a price or a text from before the
// upload.
//
// Off unless the host turns it on and tells of every page's start
// (NuovaPagina): the desktop's preview runs on the project database, which
// the editors write without any generation.
class CacheNegozio
{
public:
    static void SetEnabled(bool enabled);

    // A page starts on this thread: its first cached query reads the
    // generation again.
    static void NuovaPagina();

    // Opens rs read-only on the query's rows: the kept ones when they hold,
    // else read and kept. Only for queries of the tables named above.
    static void Apri(CAdoRecordset& rs, const QString& sql, CAdoConnection* connection,
                     const QVariantList& parametri = {});

    // What `leggi` makes of the shop's data, kept with its rows under
    // `chiave` and made again once they change; nullptr when the shop's
    // data are not kept, and the caller reads them itself.
    template <typename T>
    static std::shared_ptr<const T> Dato(const QString& chiave, CAdoConnection* connection,
                                         const std::function<std::shared_ptr<const T>()>& leggi)
    {
        return std::static_pointer_cast<const T>(
            DatoComune(chiave, connection, [&]() -> std::shared_ptr<const void> { return leggi(); }));
    }

    // Forgets every shop's rows (tests).
    static void Svuota();

private:
    static std::shared_ptr<const void> DatoComune(const QString& chiave, CAdoConnection* connection,
                                                  const std::function<std::shared_ptr<const void>()>& leggi);
};
