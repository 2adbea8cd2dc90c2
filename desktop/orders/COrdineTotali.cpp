#include "desktop/orders/COrdineTotali.h"

#include "recordset/COrdiniGeneraleSet.h"

#include <cmath>

namespace {

// Half away from zero, forgiving the binary representation's error: a
// stored 12.345 may read as 12.34499999.
qint64 RoundHalfUp(double value)
{
    const double magnitude = std::fabs(value);
    const double rounded = std::floor(magnitude + 0.5 + 1e-9 + magnitude * 1e-15);
    return qint64(value < 0 ? -rounded : rounded);
}

} // namespace

qint64 COrdineTotali::ToMinor(double amount) const
{
    // Fees are stored in single precision: their decimal reading is what
    // the merchant typed, so a float goes through its seven digits.
    return RoundHalfUp(amount * double(Scale()));
}

qint64 COrdineTotali::Importo(const Riga& riga) const
{
    return RoundHalfUp(riga.prezzo * double(riga.quantitaEvasa) * double(Scale()));
}

COrdineTotali::Totali COrdineTotali::Calcola(const QList<Riga>& righe, const Costi& costi) const
{
    Totali t;
    double imposta = 0;
    for (const Riga& riga : righe) {
        const qint64 importo = Importo(riga);
        t.imponibile += importo;
        imposta += double(importo) * double(riga.iva) / 100.0;
    }
    t.spedizione = ToMinor(costi.speseSpedizione);
    t.contrassegno = ToMinor(costi.speseContrassegno);
    // Shipping and cash-on-delivery fees carry the order's shipping rate.
    imposta += double(t.spedizione + t.contrassegno) * double(costi.ivaSpedizioni) / 100.0;
    t.imposta = RoundHalfUp(imposta);
    t.totale = t.spedizione + t.contrassegno + t.imponibile + (costi.esenzioneIVA ? 0 : t.imposta);
    return t;
}

COrdineTotali::Totali COrdineTotali::Calcola(const QList<Riga>& righe, const Costi& costi,
                                             const std::optional<Totali>& addebitati, bool tuttoEvaso) const
{
    return addebitati && tuttoEvaso ? *addebitati : Calcola(righe, costi);
}

std::optional<COrdineTotali::Totali> COrdineTotali::Addebitati(COrdiniGeneraleSet& o, double cambioListino) const
{
    static const char* const colonne[] = {"ImportoMerci", "ImportoSpedizione", "ImportoContrassegno", "ImportoIVA",
                                          "ImportoTotale"};
    for (const char* colonna : colonne)
        if (o.IsFieldNull(QLatin1String(colonna)))
            return std::nullopt;
    // The order's rate is the one of the currency it was charged in.
    if (std::fabs(o.m_Cambio - cambioListino) > 1e-6 * std::fmax(1.0, std::fabs(cambioListino)))
        return std::nullopt;
    Totali t;
    t.imponibile = ToMinor(o.m_ImportoMerci);
    t.spedizione = ToMinor(o.m_ImportoSpedizione);
    t.contrassegno = ToMinor(o.m_ImportoContrassegno);
    t.imposta = ToMinor(o.m_ImportoIVA);
    t.totale = ToMinor(o.m_ImportoTotale);
    return t;
}

QString COrdineTotali::Text(qint64 minor) const
{
    if (m_nDecimals == 0)
        return QString::number(minor);
    const qint64 magnitude = minor < 0 ? -minor : minor;
    return QStringLiteral("%1%2.%3")
        .arg(minor < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}
