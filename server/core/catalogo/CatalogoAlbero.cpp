#include "server/core/catalogo/CatalogoAlbero.h"

#include "platform/ado/CAdoRecordset.h"
#include "server/core/CacheNegozio.h"
#include "server/core/catalogo/CatalogoValori.h"

#include <QMultiHash>
#include <QSet>

std::optional<qint32> CatalogoAlbero::Cerca(const QVariant& idOCodice) const
{
    CAdoRecordset rs;
    if (const auto id = CatalogoValori::Numero(idOCodice))
        CacheNegozio::Apri(rs, QStringLiteral("SELECT ID FROM Categorie WHERE ID=?"), m_connection, {*id});
    else
        CacheNegozio::Apri(rs, QStringLiteral("SELECT ID FROM Categorie WHERE Codice=?"), m_connection,
                           {idOCodice.toString()});
    if (rs.IsEOF())
        return std::nullopt;
    return rs.Field(QStringLiteral("ID")).toInt();
}

std::optional<qint32> CatalogoAlbero::Padre(qint32 id) const
{
    CAdoRecordset rs;
    CacheNegozio::Apri(rs, QStringLiteral("SELECT IDCategoriaPadre FROM Categorie WHERE ID=?"), m_connection, {id});
    if (rs.IsEOF())
        return std::nullopt;
    return rs.Field(QStringLiteral("IDCategoriaPadre")).toInt();
}

bool CatalogoAlbero::HaFigli(qint32 id) const
{
    CAdoRecordset rs;
    CacheNegozio::Apri(rs, QStringLiteral("SELECT TOP 1 ID FROM Categorie WHERE IDCategoriaPadre=?"), m_connection,
                       {id});
    return !rs.IsEOF();
}

QList<qint32> CatalogoAlbero::ConDiscendenti(qint32 id) const
{
    QMultiHash<qint32, qint32> figli;
    CAdoRecordset rs;
    for (CacheNegozio::Apri(rs, QStringLiteral("SELECT ID, IDCategoriaPadre FROM Categorie"), m_connection);
         !rs.IsEOF(); rs.MoveNext())
        figli.insert(rs.Field(QStringLiteral("IDCategoriaPadre")).toInt(), rs.Field(QStringLiteral("ID")).toInt());
    QList<qint32> da = {id};
    QSet<qint32> albero = {id};
    while (!da.isEmpty()) {
        for (const qint32 figlio : figli.values(da.takeLast())) {
            if (!albero.contains(figlio)) {
                albero.insert(figlio);
                da.append(figlio);
            }
        }
    }
    return QList<qint32>(albero.cbegin(), albero.cend());
}
