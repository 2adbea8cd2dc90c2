#include "server/core/catalogo/CatalogoRiga.h"

#include "server/core/Funzioni.h"

QString CatalogoRiga::Testo(const CAdoRecordset& rs, const QString& colonna)
{
    const QVariant valore = rs.Field(colonna);
    return valore.isNull() ? QString() : valore.toString();
}

QString CatalogoRiga::Decifrato(const CAdoRecordset& rs, const QString& colonna)
{
    const QVariant valore = rs.Field(colonna);
    return valore.isNull() ? QString() : Funzioni::DecifraTesto(valore.toString());
}
