#include "server/core/catalogo/CatalogoRigaSconto.h"

#include "platform/ado/CAdoRecordset.h"

namespace {

QVariant Colonna(const CAdoRecordset& rs, const QString& nome)
{
    return rs.HasField(nome) ? rs.Field(nome) : QVariant();
}

// "<prefix>1" to "<prefix>9", made once.
std::array<QString, kFasceQuantita> Fasce(const char* prefisso)
{
    std::array<QString, kFasceQuantita> nomi;
    for (int i = 0; i < kFasceQuantita; ++i)
        nomi[i] = QLatin1String(prefisso) + QString::number(i + 1);
    return nomi;
}

} // namespace

CatalogoScontoRiga CatalogoRigaSconto::Sconti(const CAdoRecordset& rs)
{
    static const std::array<QString, kFasceQuantita> quantita = Fasce("Quantita");
    static const std::array<QString, kFasceQuantita> sconto = Fasce("Sconto");
    static const std::array<QString, kFasceQuantita> prezzoPromo = Fasce("PrezzoPromo");
    CatalogoScontoRiga riga;
    riga.scontoPredefinito = Colonna(rs, QStringLiteral("ScontoPredefinito"));
    riga.prezzoPromoPredefinito = Colonna(rs, QStringLiteral("PrezzoPromoPredefinito"));
    riga.validitaDal = Colonna(rs, QStringLiteral("ValiditaDal"));
    riga.validitaAl = Colonna(rs, QStringLiteral("ValiditaAl"));
    riga.scontoPeriodo = Colonna(rs, QStringLiteral("ScontoPeriodo"));
    riga.prezzoPromoPeriodo = Colonna(rs, QStringLiteral("PrezzoPromoPeriodo"));
    riga.validitaQuantitaDal = Colonna(rs, QStringLiteral("ValiditaQuantitaDal"));
    riga.validitaQuantitaAl = Colonna(rs, QStringLiteral("ValiditaQuantitaAl"));
    for (int i = 0; i < kFasceQuantita; ++i) {
        riga.quantita[i] = Colonna(rs, quantita[i]);
        riga.sconto[i] = Colonna(rs, sconto[i]);
        riga.prezzoPromo[i] = Colonna(rs, prezzoPromo[i]);
    }
    return riga;
}

CatalogoRigaSconto CatalogoRigaSconto::Leggi(const CAdoRecordset& rs)
{
    CatalogoRigaSconto riga;
    const auto id = [&](const QString& nome, qint32& valore, bool& nullo) {
        const QVariant v = rs.Field(nome);
        nullo = v.isNull();
        valore = v.toInt();
    };
    riga.id = rs.Field(QStringLiteral("ID")).toInt();
    id(QStringLiteral("IDUtente"), riga.idUtente, riga.utenteNullo);
    id(QStringLiteral("IDGruppo"), riga.idGruppo, riga.gruppoNullo);
    id(QStringLiteral("IDProdotto"), riga.idProdotto, riga.prodottoNullo);
    id(QStringLiteral("IDCategoria"), riga.idCategoria, riga.categoriaNulla);
    riga.sconti = Sconti(rs);
    return riga;
}
