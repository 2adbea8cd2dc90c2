#include "server/core/catalogo/CatalogoScontiNegozio.h"

#include "platform/ado/CAdoRecordset.h"

#include <algorithm>

namespace {

// About a kilobyte a row: a table of this many is a few megabytes.
constexpr int kMassimoRighe = 5000;

} // namespace

std::shared_ptr<const CatalogoScontiNegozio> CatalogoScontiNegozio::Leggi(CAdoConnection* connessione)
{
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT * FROM ScontiProdotto ORDER BY ID LIMIT ?"), connessione, {kMassimoRighe + 1});
    if (rs.RecordCount() > kMassimoRighe)
        return nullptr;
    auto negozio = std::make_shared<CatalogoScontiNegozio>();
    negozio->m_righe.reserve(rs.RecordCount());
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const CatalogoRigaSconto& riga = negozio->m_righe.emplace_back(CatalogoRigaSconto::Leggi(rs));
        const qsizetype posizione = negozio->m_righe.size() - 1;
        if (!riga.prodottoNullo)
            negozio->m_perProdotto[riga.idProdotto].append(posizione);
        if (!riga.categoriaNulla)
            negozio->m_perCategoria[riga.idCategoria].append(posizione);
    }
    return negozio;
}

QVector<const CatalogoRigaSconto*> CatalogoScontiNegozio::Righe(qint32 utente, qint32 gruppo,
                                                               const QList<qint32>& prodotti,
                                                               const QList<qint32>& categorie) const
{
    QVector<qsizetype> posizioni;
    const auto aggiungi = [&](const QHash<qint32, QVector<qsizetype>>& indice, const QList<qint32>& chiavi) {
        for (const qint32 chiave : chiavi) {
            const auto trovate = indice.constFind(chiave);
            if (trovate == indice.cend())
                continue;
            for (const qsizetype posizione : *trovate)
                if (m_righe.at(posizione).Di(utente, gruppo))
                    posizioni.append(posizione);
        }
    };
    aggiungi(m_perProdotto, prodotti);
    aggiungi(m_perCategoria, categorie);
    std::sort(posizioni.begin(), posizioni.end());
    posizioni.erase(std::unique(posizioni.begin(), posizioni.end()), posizioni.end());
    QVector<const CatalogoRigaSconto*> righe;
    righe.reserve(posizioni.size());
    for (const qsizetype posizione : std::as_const(posizioni))
        righe.append(&m_righe.at(posizione));
    return righe;
}
