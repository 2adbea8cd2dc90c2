#include "server/orders/OrdineAddebito.h"

#include "platform/ado/CAdoRecordset.h"
#include "server/core/Funzioni.h"
#include "server/orders/CarrelloTotali.h"

namespace {

const char* const kColonne[] = {"ImportoMerci", "ImportoSpedizione", "ImportoContrassegno",
                                "ImportoIVA",   "ImportoTotale",     "ImportoTotaleInEuro"};

} // namespace

OrdineAddebito OrdineAddebito::DaCarrello(const CarrelloTotali& t, double arrotondamento, double fcEuro2Web,
                                          double ivaSpedizioni, bool contrassegno)
{
    OrdineAddebito a;
    a.unita = UnitaDi(arrotondamento);
    a.merci = Funzioni::Minori(t.totaleProdotti, a.unita);
    a.spedizione = Funzioni::Minori(t.importoSpeseSpedizioneWeb, a.unita);
    a.iva = Funzioni::Minori(t.totaleIVA, a.unita);
    a.totale = Funzioni::Minori(t.totaleOrdine, a.unita);
    if (contrassegno) {
        const qint64 lordo = Funzioni::Minori(t.speseContrassegno, a.unita);
        a.contrassegno = t.esenzioneIVA ? lordo : Funzioni::Minori(a.Valore(lordo) / ((ivaSpedizioni + 100) / 100), a.unita);
        a.iva += lordo - a.contrassegno;
        a.totale += lordo;
    }
    a.totaleInEuro = Funzioni::Minori(Funzioni::ConvertiPrezzo(a.Valore(a.totale), fcEuro2Web, 1, 0.01), 0.01);
    return a;
}

std::optional<OrdineAddebito> OrdineAddebito::Leggi(const CAdoRecordset& ordine, double arrotondamento)
{
    QList<QVariant> valori;
    for (const char* colonna : kColonne) {
        const QVariant v = ordine.Field(QLatin1String(colonna));
        if (v.isNull())
            return std::nullopt;
        valori.append(v);
    }
    OrdineAddebito a;
    a.unita = UnitaDi(arrotondamento);
    qint64* const figure[] = {&a.merci, &a.spedizione, &a.contrassegno, &a.iva, &a.totale};
    for (int i = 0; i < 5; ++i)
        *figure[i] = Funzioni::Minori(valori.at(i).toDouble(), a.unita);
    a.totaleInEuro = Funzioni::Minori(valori.at(5).toDouble(), 0.01);
    return a;
}

QStringList OrdineAddebito::Colonne()
{
    QStringList colonne;
    for (const char* colonna : kColonne)
        colonne << QLatin1String(colonna);
    return colonne;
}

QVariantList OrdineAddebito::Valori() const
{
    return {Valore(merci), Valore(spedizione), Valore(contrassegno), Valore(iva), Valore(totale),
            double(totaleInEuro) / 100};
}

double OrdineAddebito::Valore(qint64 minori) const
{
    return Funzioni::DaMinori(minori, unita);
}
