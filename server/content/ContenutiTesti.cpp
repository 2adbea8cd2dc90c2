#include "server/content/ContenutiTesti.h"

#include "platform/ado/CAdoRecordset.h"
#include "server/core/Funzioni.h"

bool ContenutiTesti::ApriInLingua(CAdoRecordset& rs, CAdoConnection* connessione, const QString& tabella,
                                  const QString& chiave, qint32 id, const QString& lingua, const QString& predefinita)
{
    const QString testo = QStringLiteral("SELECT * FROM %1 WHERE %2=? AND CodiceLingua=?")
                              .arg(Funzioni::NomeTabella(tabella), Funzioni::NomeTabella(chiave));
    rs.Open(testo, connessione, {id, lingua});
    if (rs.IsEOF() && predefinita != lingua)
        rs.Open(testo, connessione, {id, predefinita});
    return !rs.IsEOF();
}

QString ContenutiTesti::Testo(const CAdoRecordset& rs, const QString& colonna)
{
    if (!rs.IsOpen() || rs.IsEOF())
        return QString();
    const QVariant valore = rs.Field(colonna);
    return valore.isNull() ? QString() : valore.toString();
}

QString ContenutiTesti::Decifrato(const CAdoRecordset& rs, const QString& colonna)
{
    const QString testo = Testo(rs, colonna);
    return testo.isEmpty() ? testo : Funzioni::DecifraTesto(testo);
}

QString ContenutiTesti::Estratto(const QString& testo, int lunghezza)
{
    const QString semplice = Funzioni::EliminaTagHTML(testo);
    const qsizetype spazio = semplice.indexOf(QLatin1Char(' '), qMax(0, lunghezza));
    return spazio < 0 ? semplice : semplice.left(spazio);
}
