#include "server/orders/OrdinePagamentoCarta.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoRecordset.h"
#include "server/orders/OrdineRichiesteBanca.h"
#include "server/orders/OrdineScrittura.h"

#include <QDateTime>
#include <QDebug>
#include <QMutex>
#include <QRegularExpression>
#include <QUrl>

#include <stdexcept>

namespace {

QMutex g_mutex;
QString g_indirizzoBanca;
OrdinePagamentoCarta::Limiti g_limiti;

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

void OrdinePagamentoCarta::ImpostaLimiti(const Limiti& limiti)
{
    QMutexLocker lock(&g_mutex);
    g_limiti = limiti;
}

OrdinePagamentoCarta::Limiti OrdinePagamentoCarta::LimitiCorrenti()
{
    QMutexLocker lock(&g_mutex);
    return g_limiti;
}

OrdinePagamentoCarta::Richiesta OrdinePagamentoCarta::PrendiPasswordRichiesta(CAdoConnection* conn, qint32 idOrdine,
                                                                              const QString& importo,
                                                                              const QString& indirizzo)
{
    OrdineRichiesteBanca::AssicuraTabella(conn);
    for (int i = 0; i < kTentativi; ++i) {
        CAdoRecordset rs;
        rs.Open(QStringLiteral("SELECT TOP 1 ID, Password FROM OTPRichieste ORDER BY ID"), conn);
        if (rs.IsEOF())
            throw std::runtime_error("Nessuna password disponibile per il pagamento con carta di credito.");
        const qint32 id = rs.Field(QStringLiteral("ID")).toInt();
        Richiesta r;
        r.password = rs.Field(QStringLiteral("Password")).toString();
        rs.Close();
        const bool presa = OrdineRichiesteBanca::InTransazione(conn, [&] {
            if (conn->Execute(QStringLiteral("DELETE FROM OTPRichieste WHERE ID=?"), {id}) != 1)
                return false;
            OrdineRichiesteBanca::Registra(conn, idOrdine, id, importo, indirizzo, QDateTime::currentDateTime());
            return true;
        });
        if (!presa)
            continue;
        CAdoRecordset resto;
        resto.Open(QStringLiteral("SELECT COUNT(*) AS N FROM OTPRichieste"), conn);
        r.rimaste = resto.Field(QStringLiteral("N")).toInt();
        return r;
    }
    throw std::runtime_error("Nessuna password disponibile per il pagamento con carta di credito.");
}

bool OrdinePagamentoCarta::AvvisaEsercente(CAdoConnection* conn, qint32 idOrdine, int rimaste)
{
    if (rimaste >= LimitiCorrenti().sogliaPassword)
        return false;
    const QString avviso = QStringLiteral("Attenzione: restano %1 password per i pagamenti con carta di credito; "
                                          "caricare un nuovo file di password della banca.")
                               .arg(rimaste);
    qWarning().noquote() << avviso;
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT Note FROM Ordini WHERE ID=?"), conn, {idOrdine});
    // One warning on an order, the latest: a retry replaces the one before.
    QStringList righe = (rs.IsEOF() ? QString() : rs.Field(QStringLiteral("Note")).toString())
                            .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    rs.Close();
    righe.removeIf([](const QString& riga) { return riga.startsWith(QLatin1String("Attenzione: restano ")); });
    righe.append(avviso);
    conn->Execute(QStringLiteral("UPDATE Ordini SET Note=?, Modificato=? WHERE ID=?"),
                  {righe.join(QStringLiteral("\r\n")), true, idOrdine});
    return true;
}

bool OrdinePagamentoCarta::DaPagare(CAdoConnection* conn, const QString& numOrdine, qint32 idCliente)
{
    const qint32 idOrdine = OrdineScrittura::IDDaNumeroOrdine(numOrdine);
    if (idOrdine <= 0 || idCliente <= 0)
        return false;
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT AutorizzazioneCartaCredito FROM Ordini WHERE ID=? AND IDCliente=? "
                           "AND TipoPagamento='CartaCredito'"),
            conn, {idOrdine, idCliente});
    return !rs.IsEOF() && rs.Field(QStringLiteral("AutorizzazioneCartaCredito")).toString().isEmpty();
}

bool OrdinePagamentoCarta::Pagato(CAdoConnection* conn, const QString& numOrdine)
{
    const qint32 idOrdine = OrdineScrittura::IDDaNumeroOrdine(numOrdine);
    if (idOrdine <= 0)
        return false;
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT AutorizzazioneCartaCredito FROM Ordini WHERE ID=?"), conn, {idOrdine});
    return !rs.IsEOF() && !rs.Field(QStringLiteral("AutorizzazioneCartaCredito")).toString().isEmpty();
}

QString OrdinePagamentoCarta::URL(const QString& codiceEsercente, qint64 importo, const QString& password,
                                  const QString& numOrdine)
{
    return IndirizzoBanca() + QStringLiteral("/pagam.asp?a=") + Codifica(codiceEsercente) + QStringLiteral("&b=")
        + QString::number(importo) + QStringLiteral("&c=") + Codifica(password) + QStringLiteral("&d=")
        + Codifica(numOrdine) + QLatin1Char('&');
}

OrdinePagamentoCarta::Esito OrdinePagamentoCarta::RegistraEsito(CAdoConnection* conn, const Risposta& r,
                                                                const std::function<QString(qint32)>& importoOrdine)
{
    const QString esito = r.a.trimmed();
    if (esito.isEmpty() || esito.compare(QLatin1String("KO"), Qt::CaseInsensitive) == 0 || r.c.isEmpty())
        return Esito::Rifiutato;
    const qint32 idOrdine = OrdineScrittura::IDDaNumeroOrdine(r.b);
    if (idOrdine <= 0)
        return Esito::Rifiutato;
    OrdineRichiesteBanca::AssicuraTabella(conn);
    const std::optional<OrdineRichiesteBanca::Legame> pagata = OrdineRichiesteBanca::Pagata(conn, idOrdine, esito);
    if (pagata && pagata->risposta == r.c)
        return Esito::GiaRegistrato;
    // The answer pays only the request its password pairs with, and only
    // when that request asked for what the order costs.
    const bool registrato = OrdineRichiesteBanca::InTransazione(conn, [&] {
        const std::optional<OrdineRichiesteBanca::Legame> legame =
            OrdineRichiesteBanca::PerRisposta(conn, idOrdine, r.c);
        return legame && OrdineRichiesteBanca::StessoImporto(legame->importo, importoOrdine(idOrdine))
            && conn->Execute(QStringLiteral("DELETE FROM OTPRisposte WHERE Password=?"), {r.c}) >= 1
            && OrdineRichiesteBanca::SegnaPagato(conn, idOrdine, *legame, esito, r.c);
    });
    return registrato ? Esito::Registrato : Esito::Rifiutato;
}
