#include "server/orders/OrdineTestoMail.h"

#include "server/core/Funzioni.h"

namespace {

const QString kInd = QStringLiteral("      ");
const QString kCrLf = QStringLiteral("\r\n");

QString Linea(const QString& testo) { return kInd + testo + kCrLf; }

} // namespace

OrdineTestoMail::OrdineTestoMail(Traduttore traduci, Opzioni opzioni)
    : m_traduci(std::move(traduci)), m_opzioni(std::move(opzioni))
{
}

QString OrdineTestoMail::ConEuro(const QString& testo, const QString& euro) const
{
    return m_opzioni.prezziInEuro ? testo + QStringLiteral(" - Euro ") + euro : testo;
}

QString OrdineTestoMail::NomePagamento(const QString& tipo) const
{
    static const QList<QPair<QString, QString>> nomi = {{"CartaCredito", "PMTMPCARTACREDITO"},
                                                        {"CCPostale", "PMTMPCCPOSTALE"},
                                                        {"Bonifico", "PMTMPBONIFICO"},
                                                        {"Contrassegno", "PMTMPCONTRASSEGNO"}};
    for (const auto& [valore, codice] : nomi)
        if (valore == tipo)
            return m_traduci(codice);
    return tipo;
}

QString OrdineTestoMail::Acquirente(const OrdineDati& dati, const OrdineScritto& scritto) const
{
    const OrdineAnagrafica& a = dati.acquirente;
    QString t = m_traduci(QStringLiteral("PMTDATICLIENTE")) + kCrLf;
    if (!a.ragioneSociale.isEmpty())
        t += Linea(a.ragioneSociale);
    t += Linea(a.cognome + QLatin1Char(' ') + a.nome);
    t += Linea(a.indirizzo);
    t += Linea(a.cap + QLatin1Char(' ') + a.localita + QStringLiteral(" (") + a.provincia + QStringLiteral(") - ")
               + a.stato);
    t += Linea(QStringLiteral("Tel. ") + a.telefono + QStringLiteral(" - ") + a.email);
    t += Linea(m_traduci(QStringLiteral("PMTCODICEFISCALE")) + QLatin1Char(' ') + a.cfpi);
    if (m_opzioni.credenziali && !scritto.userID.isEmpty())
        t += Linea(m_traduci(QStringLiteral("PMTNOMEUTENTE")) + QLatin1Char(' ') + scritto.userID);
    return t + kCrLf;
}

QString OrdineTestoMail::Destinatario(const OrdineAnagrafica& d) const
{
    if (d.cognome.isEmpty())
        return kCrLf;
    QString t = m_traduci(QStringLiteral("PMTDATIDEST")) + kCrLf;
    if (!d.ragioneSociale.isEmpty())
        t += Linea(d.ragioneSociale);
    t += Linea(d.cognome + QLatin1Char(' ') + d.nome);
    t += Linea(d.indirizzo);
    t += Linea(d.cap + QLatin1Char(' ') + d.localita + QStringLiteral(" (") + d.provincia + QStringLiteral(") - ")
               + d.stato);
    return t + kCrLf + kCrLf;
}

QString OrdineTestoMail::Riga(const OrdineRiga& r) const
{
    const QString valuta = m_opzioni.simboloValuta + QLatin1Char(' ');
    QString t = Linea(m_traduci(QStringLiteral("PMTCODICEPRODOTTO")) + QLatin1Char(' ') + r.codiceProdotto
                      + QStringLiteral(" - ") + r.nomeProdotto);
    if (!r.descrizioneFattura.isEmpty())
        t += Linea(r.descrizioneFattura);
    if (r.idColore != 0)
        t += Linea(m_traduci(QStringLiteral("PMTCODICECOLORE")) + QLatin1Char(' ') + r.codiceColore);
    if (!r.taglia.isEmpty())
        t += Linea(m_traduci(QStringLiteral("PMTTAGLIA")) + QLatin1Char(' ') + r.taglia);
    for (const auto& [nome, valore] : r.campiUtente)
        t += Linea(nome + QLatin1Char(' ') + valore);
    t += Linea(m_traduci(QStringLiteral("PMTPREZZO")) + QLatin1Char(' ')
               + ConEuro(valuta + r.fPrezzo, r.fPrezzoInEuro));
    t += Linea(m_traduci(QStringLiteral("PMTQUANTITA")) + QLatin1Char(' ') + QString::number(double(r.quantita)));
    t += Linea(m_traduci(QStringLiteral("PMTIMPORTO")) + QLatin1Char(' ')
               + ConEuro(valuta + r.fImporto, r.fImportoInEuro));
    return t + kCrLf;
}

// The figures the summary showed and the order stores, never worked out
// again: the mail says what the shopper pays.
QString OrdineTestoMail::Riepilogo(const OrdineDati& dati) const
{
    const OrdineAddebito& a = dati.addebito;
    const QString valuta = m_opzioni.simboloValuta + QLatin1Char(' ');
    const auto importo = [&](qint64 minori) {
        const double valore = a.Valore(minori);
        return ConEuro(valuta + Funzioni::FormattaImporto(valore, a.unita),
                       Funzioni::FormattaImporto(Funzioni::ConvertiPrezzo(valore, dati.fcEuro2Web, 1, 0.01), 0.01));
    };

    QString t = kCrLf + m_traduci(QStringLiteral("PMTRIEPILOGOORDINE")) + kCrLf;
    t += Linea(m_traduci(QStringLiteral("PMTTOTALEPRODOTTI")) + QLatin1Char(' ') + importo(a.merci));
    t += Linea(m_traduci(QStringLiteral("PMTSPESESPEDIZIONE")) + QLatin1Char(' ') + importo(a.spedizione));
    t += Linea(m_traduci(QStringLiteral("PMTTIPOPAGAMENTO")) + QLatin1Char(' ') + NomePagamento(dati.tipoPagamento));
    if (dati.tipoPagamento == QLatin1String("Contrassegno"))
        t += Linea(m_traduci(QStringLiteral("PMTSPESECONTRASSEGNO")) + QLatin1Char(' ') + importo(a.contrassegno));
    if (!dati.esenzioneIVA)
        t += Linea(m_traduci(QStringLiteral("PMTTOTALEIVA")) + QLatin1Char(' ') + importo(a.iva));
    t += kInd + m_traduci(QStringLiteral("PMTTOTALEORDINE")) + QLatin1Char(' ')
        + ConEuro(valuta + Funzioni::FormattaImporto(a.Valore(a.totale), a.unita),
                  Funzioni::FormattaImporto(double(a.totaleInEuro) / 100, 0.01));
    if (m_opzioni.prezziInEuro)
        t += kCrLf;
    if (!m_opzioni.ulterioriNote.isEmpty())
        t += kCrLf + m_opzioni.ulterioriNote + kCrLf;
    return t + kCrLf;
}

QString OrdineTestoMail::CorpoEsercente(const OrdineDati& dati, const OrdineScritto& scritto) const
{
    QString t = Acquirente(dati, scritto) + Destinatario(dati.destinatario);
    t += m_traduci(QStringLiteral("PMTDATIORDINE")) + scritto.numOrdine + kCrLf;
    for (const OrdineRiga& r : dati.righe)
        t += Riga(r);
    return t + Riepilogo(dati);
}

QString OrdineTestoMail::CorpoCliente(const OrdineAzienda& a, const QString& corpoEsercente,
                                      const QString& testoNotifica, const QString& passwordGenerata) const
{
    QString t = m_traduci(QStringLiteral("PMTHAIACQUISTATODA")) + kCrLf;
    t += Linea(a.ragioneSociale);
    t += Linea(a.indirizzo);
    t += Linea(a.cap + QLatin1Char(' ') + a.localita + QStringLiteral(" (") + a.provincia + QStringLiteral(") - ")
               + a.stato);
    t += Linea(m_traduci(QStringLiteral("PMTTELEFONO")) + QLatin1Char(' ') + a.telefonoOrdini + QStringLiteral(" - ")
               + m_traduci(QStringLiteral("PMTFAX")) + QLatin1Char(' ') + a.fax);
    t += Linea(m_traduci(QStringLiteral("PMTPARTITAIVA")) + QLatin1Char(' ') + a.partitaIVA);
    t += Linea(a.registroImprese);
    t += kCrLf + kCrLf;
    t += m_traduci(QStringLiteral("PMTESTREMIORDINE")) + kCrLf + kCrLf + corpoEsercente + kCrLf;
    if (!passwordGenerata.isEmpty())
        t += m_traduci(QStringLiteral("PMTPASSWORD")) + QLatin1Char(' ') + passwordGenerata + kCrLf + kCrLf;
    t += testoNotifica;
    return t + kCrLf + m_traduci(QStringLiteral("PMTFIRMANOTORDINE"));
}
