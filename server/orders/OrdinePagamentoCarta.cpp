#include "server/orders/OrdinePagamentoCarta.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoRecordset.h"
#include "server/orders/OrdineScrittura.h"

#include <QMutex>
#include <QRegularExpression>
#include <QUrl>

#include <cmath>
#include <stdexcept>

namespace {

QMutex g_mutex;
QString g_indirizzoBanca;

// A recount never comes close: the table holds a few thousand passwords
// and each round loses only to a page that took one.
constexpr int kTentativi = 50;

QString Codifica(const QString& valore)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(valore));
}

} // namespace

void OrdinePagamentoCarta::ImpostaIndirizzoBanca(const QString& indirizzo)
{
    QMutexLocker lock(&g_mutex);
    g_indirizzoBanca = indirizzo;
    while (g_indirizzoBanca.endsWith(QLatin1Char('/')))
        g_indirizzoBanca.chop(1);
}

QString OrdinePagamentoCarta::IndirizzoBanca()
{
    QMutexLocker lock(&g_mutex);
    if (g_indirizzoBanca.isEmpty())
        throw std::runtime_error("L'indirizzo della banca per il pagamento con carta non è configurato.");
    return g_indirizzoBanca;
}

qint64 OrdinePagamentoCarta::Centesimi(double importo)
{
    // The shortest decimal text of the double is the amount as it was
    // meant (0.29, not 0.28999...); from it the hundredths are exact.
    const QString testo = QString::number(importo, 'f', 6);
    const bool negativo = testo.startsWith(QLatin1Char('-'));
    const QString assoluto = negativo ? testo.mid(1) : testo;
    const qsizetype punto = assoluto.indexOf(QLatin1Char('.'));
    const qint64 interi = assoluto.left(punto).toLongLong();
    const QString decimali = assoluto.mid(punto + 1);
    qint64 centesimi = interi * 100 + decimali.left(2).toLongLong();
    if (decimali.at(2) >= QLatin1Char('5'))
        ++centesimi;
    return negativo ? -centesimi : centesimi;
}

qint64 OrdinePagamentoCarta::ImportoPerFattore(qint64 centesimi, const QString& fattore)
{
    static const QRegularExpression forma(QStringLiteral("^\\s*([0-9]{1,9})(?:[.,]([0-9]{1,6}))?\\s*$"));
    const QRegularExpressionMatch m = forma.match(fattore);
    if (!m.hasMatch())
        throw std::invalid_argument(("Fattore dell'importo non valido: " + fattore).toStdString());
    const QString decimali = m.captured(2);
    const qint64 mantissa = (m.captured(1) + decimali).toLongLong();
    qint64 divisore = 100;
    for (qsizetype i = 0; i < decimali.size(); ++i)
        divisore *= 10;
    return centesimi * mantissa / divisore;
}

QString OrdinePagamentoCarta::PrendiPasswordRichiesta(CAdoConnection* conn)
{
    for (int i = 0; i < kTentativi; ++i) {
        CAdoRecordset rs;
        rs.Open(QStringLiteral("SELECT TOP 1 ID, Password FROM OTPRichieste ORDER BY ID"), conn);
        if (rs.IsEOF())
            throw std::runtime_error("Nessuna password disponibile per il pagamento con carta di credito.");
        const QVariant id = rs.Field(QStringLiteral("ID"));
        const QString password = rs.Field(QStringLiteral("Password")).toString();
        rs.Close();
        if (conn->Execute(QStringLiteral("DELETE FROM OTPRichieste WHERE ID=?"), {id}) == 1)
            return password;
    }
    throw std::runtime_error("Nessuna password disponibile per il pagamento con carta di credito.");
}

bool OrdinePagamentoCarta::DaPagare(CAdoConnection* conn, const QString& numOrdine, qint32 idCliente)
{
    const qint32 idOrdine = OrdineScrittura::IDDaNumeroOrdine(numOrdine);
    if (idOrdine <= 0 || idCliente <= 0)
        return false;
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT AutorizzazioneCartaCredito FROM Ordini WHERE ID=? AND IDCliente=?"), conn,
            {idOrdine, idCliente});
    return !rs.IsEOF() && rs.Field(QStringLiteral("AutorizzazioneCartaCredito")).toString().isEmpty();
}

QString OrdinePagamentoCarta::URL(const QString& codiceEsercente, qint64 importo, const QString& password,
                                  const QString& numOrdine)
{
    return IndirizzoBanca() + QStringLiteral("/pagam.asp?a=") + Codifica(codiceEsercente) + QStringLiteral("&b=")
        + QString::number(importo) + QStringLiteral("&c=") + Codifica(password) + QStringLiteral("&d=")
        + Codifica(numOrdine) + QLatin1Char('&');
}

bool OrdinePagamentoCarta::RegistraEsito(CAdoConnection* conn, const Risposta& r, const QString& numOrdSessione,
                                         qint32 idClienteSessione)
{
    const QString esito = r.a.trimmed();
    if (esito.isEmpty() || esito.compare(QLatin1String("KO"), Qt::CaseInsensitive) == 0)
        return false;
    // Only the order this visitor has just placed: the number must be the
    // Session's, and the row his.
    if (numOrdSessione.isEmpty() || r.b != numOrdSessione || idClienteSessione <= 0 || r.c.isEmpty())
        return false;
    const qint32 idOrdine = OrdineScrittura::IDDaNumeroOrdine(r.b);
    if (idOrdine <= 0)
        return false;
    conn->BeginTrans();
    try {
        if (conn->Execute(QStringLiteral("DELETE FROM OTPRisposte WHERE Password=?"), {r.c}) < 1) {
            conn->RollbackTrans();
            return false;
        }
        const int scritte = conn->Execute(
            QStringLiteral("UPDATE Ordini SET AutorizzazioneCartaCredito=?, Modificato=? WHERE ID=? AND IDCliente=?"),
            {esito, true, idOrdine, idClienteSessione});
        if (scritte != 1) {
            conn->RollbackTrans();
            return false;
        }
        conn->CommitTrans();
        return true;
    } catch (...) {
        conn->RollbackTrans();
        throw;
    }
}
