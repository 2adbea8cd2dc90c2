#pragma once

#include "platform/ado/CAdoRecordset.h"

#include <QString>

// A catalogue row's columns as the pages want them: each reads the column
// once, since a page reads some thirty of every product.
class CatalogoRiga
{
public:
    CatalogoRiga() = delete;

    // The column's text; empty when null.
    static QString Testo(const CAdoRecordset& rs, const QString& colonna);
    // The column's ciphered text in clear; empty when null.
    static QString Decifrato(const CAdoRecordset& rs, const QString& colonna);

    // Writes the column into destinazione unless it is null.
    template <class T>
    static void SeNonNullo(const CAdoRecordset& rs, const QString& colonna, T& destinazione)
    {
        const QVariant valore = rs.Field(colonna);
        if (!valore.isNull())
            destinazione = valore.value<T>();
    }
};
