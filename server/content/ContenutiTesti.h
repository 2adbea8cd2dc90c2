#pragma once

#include <QString>

class CAdoConnection;
class CAdoRecordset;

// The texts of the content, forum and chat pages: a companion row in the
// visitor's language, else in the shop's default one, and excerpts.
class ContenutiTesti
{
public:
    ContenutiTesti() = delete;

    // Opens rs on "SELECT * FROM <tabella> WHERE <chiave>=? AND
    // CodiceLingua=?" in the visitor's language, else in the default one.
    // False, rs at its end, when neither has a row: the texts then read
    // empty.
    static bool ApriInLingua(CAdoRecordset& rs, CAdoConnection* connessione, const QString& tabella,
                             const QString& chiave, qint32 id, const QString& lingua, const QString& predefinita);

    // A column of the current row, empty when null or when there is no
    // row; Decifrato also deciphers it.
    static QString Testo(const CAdoRecordset& rs, const QString& colonna);
    static QString Decifrato(const CAdoRecordset& rs, const QString& colonna);

    // The text without its HTML tags, cut before the first blank found
    // from position lunghezza + 1 on (counted from 1): whole words, at
    // least lunghezza characters when cut.
    static QString Estratto(const QString& testo, int lunghezza);
};
