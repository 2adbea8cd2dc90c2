#include "server/orders/OrdineImporti.h"

#include "platform/ado/CAdoRecordset.h"
#include "server/core/Funzioni.h"
#include "server/orders/OrdineAddebito.h"

#include <algorithm>

OrdineImporti::Riga OrdineImporti::RigaDa(const CAdoRecordset& rs)
{
    Riga r;
    r.prezzo = rs.Field(QStringLiteral("Prezzo")).toDouble();
    r.quantita = rs.Field(QStringLiteral("Quantita")).toFloat();
    r.quantitaEvasa = rs.Field(QStringLiteral("QuantitaEvasa")).toFloat();
    r.iva = rs.Field(QStringLiteral("Iva")).toFloat();
    return r;
}

OrdineImporti::Costi OrdineImporti::CostiDa(const CAdoRecordset& ordine)
{
    Costi c;
    c.speseSpedizione = ordine.Field(QStringLiteral("SpeseSpedizione")).toDouble();
    c.speseContrassegno = ordine.Field(QStringLiteral("SpeseContrassegno")).toDouble();
    c.ivaSpedizioni = ordine.Field(QStringLiteral("IVASpedizioni")).toFloat();
    c.esenzioneIVA = ordine.Field(QStringLiteral("EsenzioneIVA")).toInt() != 0;
    return c;
}

double OrdineImporti::InOrdine(double valore, double unita) const
{
    return Funzioni::ConvertiPrezzo(valore, m_cambi.listino2Euro, m_cambi.cambioOrdine, unita);
}

double OrdineImporti::InEuro(double valore) const
{
    return Funzioni::ConvertiPrezzo(valore, m_cambi.listino2Euro, 1, 0.01);
}

OrdineImporti::ImportiRiga OrdineImporti::CalcolaRiga(const Riga& riga) const
{
    const double arr = m_cambi.arrotondamento;
    auto converti = [&](double valoreListino) {
        Importo i;
        i.valore = InOrdine(valoreListino, arr);
        i.inEuro = Funzioni::ConvertiPrezzo(i.valore, m_cambi.cambioOrdine, 1, 0.01);
        i.testo = Funzioni::FormattaImporto(i.valore, arr);
        i.testoInEuro = Funzioni::FormattaImporto(i.inEuro, 0.01);
        return i;
    };
    ImportiRiga r;
    r.prezzo = converti(riga.prezzo);
    r.evaso = converti(double(riga.quantitaEvasa) * riga.prezzo);
    r.ordinato = converti(double(riga.quantita) * riga.prezzo);
    r.daEvadere = Funzioni::FormattaImporto(r.ordinato.valore - r.evaso.valore, arr);
    r.daEvadereInEuro = Funzioni::FormattaImporto(r.ordinato.inEuro - r.evaso.inEuro, 0.01);
    return r;
}

OrdineImporti::Importo OrdineImporti::Converti(double valore, double unita, double unitaTesto) const
{
    Importo i;
    i.inEuro = InEuro(valore);
    i.valore = InOrdine(valore, unita);
    i.testo = Funzioni::FormattaImporto(i.valore, unitaTesto);
    i.testoInEuro = Funzioni::FormattaImporto(i.inEuro, 0.01);
    return i;
}

OrdineImporti::Totali OrdineImporti::CalcolaTotali(const QList<Riga>& righe, const Costi& costi) const
{
    const double arr = m_cambi.arrotondamento;
    // Whole-unit currencies keep whole totals; the others are cut to cents.
    const double u = arr >= 1 ? arr : 0.01;
    const double t = arr >= 1 ? 1 : 0.01;

    double imponibileOrdine = 0, imponibileOrdinato = 0, impostaOrdine = 0, impostaOrdinato = 0;
    for (const Riga& riga : righe) {
        const double a = riga.prezzo * riga.quantitaEvasa;
        const double b = riga.prezzo * riga.quantita;
        imponibileOrdine += a;
        imponibileOrdinato += b;
        impostaOrdine += a * riga.iva / 100;
        impostaOrdinato += b * riga.iva / 100;
    }
    for (const double costo : {costi.speseSpedizione, costi.speseContrassegno}) {
        impostaOrdine += costo * costi.ivaSpedizioni / 100;
        impostaOrdinato += costo * costi.ivaSpedizioni / 100;
    }
    impostaOrdine = Funzioni::Arrotonda(impostaOrdine, t);
    impostaOrdinato = Funzioni::Arrotonda(impostaOrdinato, t);

    double totaleOrdine = costi.speseContrassegno + costi.speseSpedizione + imponibileOrdine;
    double totaleOrdinato = costi.speseContrassegno + costi.speseSpedizione + imponibileOrdinato;
    // An exempt order still shows the VAT it would have paid.
    if (!costi.esenzioneIVA) {
        totaleOrdine += impostaOrdine;
        totaleOrdinato += impostaOrdinato;
    }

    Totali r;
    r.impostaOrdine = Converti(impostaOrdine, t, t);
    r.impostaOrdinato = Converti(impostaOrdinato, t, t);
    r.imponibileOrdine = Converti(imponibileOrdine, u, u);
    r.imponibileOrdinato = Converti(imponibileOrdinato, u, u);
    r.speseSpedizione = Converti(costi.speseSpedizione, arr, arr);
    r.speseContrassegno = Converti(costi.speseContrassegno, arr, arr);
    r.totaleOrdine = Converti(totaleOrdine, u, u);
    r.totaleOrdinato = Converti(totaleOrdinato, u, u);
    r.imponibileDaEvadere = Funzioni::FormattaImporto(r.imponibileOrdinato.valore - r.imponibileOrdine.valore, u);
    r.imponibileDaEvadereInEuro =
        Funzioni::FormattaImporto(r.imponibileOrdinato.inEuro - r.imponibileOrdine.inEuro, 0.01);
    return r;
}

// A stored figure is in the order's currency already: only its euro twin
// and its text are made.
OrdineImporti::Importo OrdineImporti::Memorizzato(double valore, double unitaTesto) const
{
    Importo i;
    i.valore = valore;
    i.inEuro = Funzioni::ConvertiPrezzo(valore, m_cambi.cambioOrdine, 1, 0.01);
    i.testo = Funzioni::FormattaImporto(valore, unitaTesto);
    i.testoInEuro = Funzioni::FormattaImporto(i.inEuro, 0.01);
    return i;
}

OrdineImporti::Totali OrdineImporti::TotaliAddebitati(const QList<Riga>& righe, const Costi& costi,
                                                      const OrdineAddebito& a) const
{
    Totali r = CalcolaTotali(righe, costi);
    const double arr = m_cambi.arrotondamento;
    const double u = arr >= 1 ? arr : 0.01;
    const double t = arr >= 1 ? 1 : 0.01;
    r.imponibileOrdinato = Memorizzato(a.Valore(a.merci), u);
    r.impostaOrdinato = Memorizzato(a.Valore(a.iva), t);
    r.speseSpedizione = Memorizzato(a.Valore(a.spedizione), arr);
    r.speseContrassegno = Memorizzato(a.Valore(a.contrassegno), arr);
    r.totaleOrdinato = Memorizzato(a.Valore(a.totale), u);
    r.totaleOrdinato.inEuro = double(a.totaleInEuro) / 100;
    r.totaleOrdinato.testoInEuro = Funzioni::FormattaImporto(r.totaleOrdinato.inEuro, 0.01);
    const bool tuttoEvaso = std::all_of(righe.begin(), righe.end(),
                                        [](const Riga& riga) { return riga.quantitaEvasa == riga.quantita; });
    if (tuttoEvaso) {
        r.imponibileOrdine = r.imponibileOrdinato;
        r.impostaOrdine = r.impostaOrdinato;
        r.totaleOrdine = r.totaleOrdinato;
    }
    r.imponibileDaEvadere = Funzioni::FormattaImporto(r.imponibileOrdinato.valore - r.imponibileOrdine.valore, u);
    r.imponibileDaEvadereInEuro =
        Funzioni::FormattaImporto(r.imponibileOrdinato.inEuro - r.imponibileOrdine.inEuro, 0.01);
    return r;
}
