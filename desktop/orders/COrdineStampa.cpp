#include "desktop/orders/COrdineStampa.h"

#include "recordset/CConfigurazioneSet.h"
#include "recordset/CLingueSet.h"
#include "recordset/COrdiniDettaglioSet.h"
#include "recordset/COrdiniGeneraleSet.h"
#include "recordset/CValuteSet.h"

namespace {

QString DecimalComma(QString text)
{
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        text[dot] = QLatin1Char(',');
    return text;
}

QString NameBlock(const QString& ragione, const QString& nome, const QString& cognome)
{
    return ragione + (ragione.isEmpty() ? QString() : QStringLiteral("\n")) + nome + QLatin1Char(' ') + cognome;
}

QString DateText(const QDateTime& date)
{
    return date.date().toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

QString COrdineStampa::FormatThousands(const QString& number)
{
    if (number.isEmpty())
        return number;
    QString text = number.trimmed();
    QString sign;
    if (text.startsWith(QLatin1Char('-'))) {
        sign = QStringLiteral("-");
        text.remove(0, 1);
    }
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    if (dot >= 0 && dot < 4)
        return sign + text;
    const QString integer = dot >= 0 ? text.left(dot) : text;
    const QString decimals = dot >= 0 ? text.mid(dot) : QString();
    QString grouped;
    for (qsizetype i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            grouped += QLatin1Char('\'');
        grouped += integer.at(i);
    }
    return sign + grouped + decimals;
}

QString COrdineStampa::Importo(qint64 minor) const
{
    return DecimalComma(FormatThousands(importi.Text(minor)));
}

QString COrdineStampa::Quantita(float quantity)
{
    return DecimalComma(QString::asprintf("%6.2f", double(quantity)));
}

QString COrdineStampa::TotaleEuro() const
{
    if (cambio == 0)
        return QString();
    const double units = double(totali.totale) / (importi.Decimals() == 2 ? 100.0 : 1.0);
    return DecimalComma(QString::asprintf("%10.2f", units / cambio));
}

void COrdineStampa::SetRecipient(const QStringList& f)
{
    strNome = NameBlock(f.value(0), f.value(1), f.value(2));
    strVia = f.value(3);
    strCapDest = f.value(4);
    strLocalitaDest = f.value(5);
    strProvinciaDest = f.value(6);
    strStatoDest = f.value(7);
}

void COrdineStampa::LoadCompany(CDaoDatabase& db)
{
    CConfigurazioneSet c(&db);
    c.Open();
    qint32 valuta = 0;
    if (!c.IsEOF()) {
        strRagioneSociale = c.m_RagioneSociale;
        strIndirizzo = c.m_Indirizzo;
        strCap = c.m_Cap;
        strLocalita = c.m_Localita;
        strProvincia = c.m_Provincia;
        strStato = c.m_Stato;
        strTelefono = c.m_TelefonoOrdini;
        strFax = c.m_Fax;
        strPartitaIVA = c.m_PartitaIVA;
        strRegistroImprese = c.m_RegistroImprese;
        strEmail = c.m_EmailOrdini;
        strURLSito = c.m_URLSito;
        strBanca = c.m_Banca;
        strABI = c.m_ABI;
        strCAB = c.m_CAB;
        strCCBancario = c.m_CCBancario;
        strSerie = c.m_SerieFatturazione;
        valuta = c.m_ValutaListino;
    }
    CLingueSet lingue(&db);
    lingue.Open();
    if (!lingue.IsEOF())
        strLingua = lingue.m_Codice;
    CValuteSet valute(&db);
    valute.Open();
    if (valute.FindFirst(QStringLiteral("ID=?"), {valuta})) {
        strSimbolo = valute.m_Simbolo;
        cambio = valute.m_Cambio;
        importi = COrdineTotali(COrdineTotali::DecimalsOf(valute.m_Arrotondamento));
    }
}

COrdineStampa COrdineStampa::Fattura(CDaoDatabase& db, qint32 id)
{
    COrdineStampa s;
    s.LoadCompany(db);
    COrdiniGeneraleSet o(&db);
    o.Open();
    if (!o.FindFirst(QStringLiteral("ID=?"), {id}))
        return s;
    s.SetRecipient({o.m_RagioneSociale, o.m_Nome, o.m_Cognome, o.m_Indirizzo, o.m_Cap, o.m_Localita, o.m_Provincia,
                    o.m_Stato});
    s.strRiferimento = QStringLiteral("Vs. ordine:\nn. %1 del %2").arg(o.m_NumOrdine, DateText(o.m_Data));
    s.strDataFattura = DateText(o.m_DataFattura);
    s.strCFPI = o.m_CFPI;
    s.strNumeroFattura = QString::number(o.m_NumeroFattura);
    s.strPagamento = o.m_TipoPagamento == QLatin1String("CCPostale")      ? QStringLiteral("Conto corrente postale")
                     : o.m_TipoPagamento == QLatin1String("CartaCredito") ? QStringLiteral("Carta di credito")
                                                                          : o.m_TipoPagamento;
    s.nColli = o.m_NColli;
    s.bEsenzioneIVA = o.m_EsenzioneIVA;

    COrdiniDettaglioSet d(&db);
    d.m_strFilter = QStringLiteral("IDOrdine=?");
    d.m_filterParams = {id};
    d.Open();
    QList<COrdineTotali::Riga> figures;
    bool shipped = true;
    for (; !d.IsEOF(); d.MoveNext()) {
        shipped = shipped && d.m_QuantitaEvasa >= d.m_Quantita;
        s.righe.append({d.m_Descrizione, d.m_QuantitaEvasa, d.m_Prezzo, d.m_Iva, 0});
        figures.append({d.m_Prezzo, d.m_QuantitaEvasa, d.m_Iva});
        // The plain sum of the lines' weights, as the desk always printed it.
        s.peso += d.m_Peso;
    }
    s.righe.append({QStringLiteral("Spese di spedizione"), 1, o.m_SpeseSpedizione, o.m_IVASpedizioni, 0});
    if (o.m_TipoPagamento == QLatin1String("Contrassegno"))
        s.righe.append({QStringLiteral("Spese di contrassegno"), 1, o.m_SpeseContrassegno, o.m_IVASpedizioni, 0});
    for (Riga& riga : s.righe)
        riga.importo = s.importi.Importo({riga.prezzo, riga.quantita, riga.iva});
    s.totali = s.importi.Calcola(figures, {o.m_SpeseSpedizione, o.m_SpeseContrassegno, o.m_IVASpedizioni, o.m_EsenzioneIVA},
                                 s.importi.Addebitati(o, s.cambio), shipped);
    return s;
}

COrdineStampa COrdineStampa::Etichetta(CDaoDatabase& db, qint32 id)
{
    COrdineStampa s = Fattura(db, id);
    COrdiniGeneraleSet o(&db);
    o.Open();
    if (!o.FindFirst(QStringLiteral("ID=?"), {id}))
        return s;
    const bool consignee = !(o.m_DRagioneSociale + o.m_DNome + o.m_DCognome + o.m_DIndirizzo + o.m_DCap + o.m_DLocalita
                             + o.m_DProvincia + o.m_DStato)
                                .isEmpty();
    if (consignee)
        s.SetRecipient({o.m_DRagioneSociale, o.m_DNome, o.m_DCognome, o.m_DIndirizzo, o.m_DCap, o.m_DLocalita,
                        o.m_DProvincia, o.m_DStato});
    return s;
}
