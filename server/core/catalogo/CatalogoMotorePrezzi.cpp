#include "server/core/catalogo/CatalogoMotorePrezzi.h"

#include "platform/ado/CAdoRecordset.h"
#include "server/core/Funzioni.h"

namespace {

const QDate kInizioFinestre(1900, 1, 1);
const QDate kFineFinestre(2100, 1, 1);

bool Vuoto(const QVariant& valore)
{
    return !valore.isValid() || valore.isNull() || valore.toString().trimmed().isEmpty();
}

bool Presente(const QVariant& valore) { return valore.isValid() && !valore.isNull(); }

QDate Giorno(const QVariant& valore, const QDate& predefinito)
{
    if (!Presente(valore))
        return predefinito;
    const QDateTime data = CAdoRecordset::DateValue(valore);
    return data.isValid() ? data.date() : predefinito;
}

bool InLimiti(double percentuale) { return percentuale >= 0 && percentuale <= 100; }

} // namespace

CatalogoMotorePrezzi::CatalogoMotorePrezzi(ICatalogoFonteSconti& fonte, const CatalogoCambi& cambi,
                                           const QDate& oggi)
    : m_fonte(fonte), m_cambi(cambi), m_oggi(oggi)
{
}

std::optional<double> CatalogoMotorePrezzi::Percentuale(const QVariant& testo)
{
    if (Vuoto(testo))
        return std::nullopt;
    // Each part on its own first: "150+10" or "50+-10" are typing slips,
    // not discounts, even when the composed figure would look plausible.
    for (const QString& parte : testo.toString().split(QLatin1Char('+'))) {
        if (!InLimiti(Funzioni::CalcolaScontoComposto(parte.trimmed())))
            return std::nullopt;
    }
    const double percentuale = Funzioni::CalcolaScontoComposto(testo.toString().trimmed());
    if (!InLimiti(percentuale))
        return std::nullopt;
    return percentuale;
}

bool CatalogoMotorePrezzi::DentroFinestra(const QVariant& dal, const QVariant& al, const QDate& oggi)
{
    return Giorno(dal, kInizioFinestre) <= oggi && oggi <= Giorno(al, kFineFinestre);
}

void CatalogoMotorePrezzi::ApplicaOffertaProdotto(CatalogoPrezzo& prezzo) const
{
    const QDate dal = prezzo.validitaScontoDal.isValid() ? prezzo.validitaScontoDal.date() : kInizioFinestre;
    const QDate al = prezzo.validitaScontoAl.isValid() ? prezzo.validitaScontoAl.date() : kFineFinestre;
    if (m_oggi < dal || m_oggi > al) {
        prezzo.offerta = false;
        return;
    }
    if (prezzo.scontoProdotto > 0) {
        Riduci(prezzo, prezzo.scontoProdotto);
        return;
    }
    // An offer without a percentage lives on its offer price; without one
    // the product would be given away.
    if (prezzo.prezzoPromozioneVL > 0)
        prezzo.prezzoProdottoVL = prezzo.prezzoPromozioneVL;
}

void CatalogoMotorePrezzi::CalcolaScontiCliente(CatalogoPrezzo& prezzo, const std::optional<qint32>& idUtente) const
{
    AzzeraUscite(prezzo);
    if (!idUtente)
        return;
    const std::optional<CatalogoCliente> cliente = m_fonte.Cliente(*idUtente);
    if (!cliente)
        return;
    const qint32 gruppo = cliente->gruppo;
    const qint32 idProdotto = prezzo.idProdotto;

    std::optional<CatalogoScontoRiga> riga = m_fonte.RigaProdotto(ICatalogoFonteSconti::DelUtente, *idUtente, idProdotto);
    if (!riga && gruppo > 0)
        riga = m_fonte.RigaProdotto(ICatalogoFonteSconti::DelGruppo, gruppo, idProdotto);
    if (riga && ApplicaRigaProdotto(prezzo, *riga))
        return;

    QVector<CatalogoScontoRiga> righe = m_fonte.RigheCategorie(ICatalogoFonteSconti::DelUtente, *idUtente, idProdotto);
    if (righe.isEmpty() && gruppo > 0)
        righe = m_fonte.RigheCategorie(ICatalogoFonteSconti::DelGruppo, gruppo, idProdotto);
    if (ApplicaRigheCategorie(prezzo, righe))
        return;

    if (ApplicaRecord(prezzo, cliente->sconti) || gruppo == 0)
        return;
    // A group deleted under its customers leaves nothing to apply.
    if (const std::optional<CatalogoScontoRiga> record = m_fonte.Gruppo(gruppo))
        ApplicaRecord(prezzo, *record);
}

void CatalogoMotorePrezzi::AzzeraUscite(CatalogoPrezzo& prezzo)
{
    prezzo.sconto.clear();
    prezzo.prezzoPromozionale.clear();
    prezzo.fPrezzoPromozionale.clear();
    // Tiers start clean for every product, so none inherits another's.
    prezzo.flagScontoQuantitaAttivo = false;
    prezzo.fasce.fill(CatalogoFascia());
}

void CatalogoMotorePrezzi::Riduci(CatalogoPrezzo& prezzo, double percentuale)
{
    prezzo.prezzoProdottoVL = prezzo.prezzoProdottoVL * ((100 - percentuale) / 100);
}

double CatalogoMotorePrezzi::InValutaWeb(double valoreVL) const
{
    return Funzioni::ConvertiPrezzo(valoreVL, m_cambi.fcListino2Euro, m_cambi.fcEuro2Web, m_cambi.arrotondamento);
}

void CatalogoMotorePrezzi::ImpostaPrezzoPromozionale(CatalogoPrezzo& prezzo, double valore) const
{
    prezzo.prezzoPromozionale = QString::number(valore);
    // Shown in the web currency, as every other price of the page.
    prezzo.fPrezzoPromozionale = Funzioni::FormattaImporto(InValutaWeb(valore), m_cambi.arrotondamento);
}

void CatalogoMotorePrezzi::ApplicaFasce(CatalogoPrezzo& prezzo, const CatalogoScontoRiga& riga) const
{
    if (!DentroFinestra(riga.validitaQuantitaDal, riga.validitaQuantitaAl, m_oggi))
        return;
    for (int i = 0; i < kFasceQuantita; ++i) {
        CatalogoFascia& fascia = prezzo.fasce[i];
        if (Presente(riga.quantita[i])) {
            fascia.limite = riga.quantita[i].toFloat();
            prezzo.flagScontoQuantitaAttivo = true;
        }
        if (Presente(riga.sconto[i]))
            fascia.sconto = riga.sconto[i].toString();
        if (Presente(riga.prezzoPromo[i])) {
            fascia.prezzoPromoVL = riga.prezzoPromo[i].toDouble();
            fascia.prezzoPromo = InValutaWeb(fascia.prezzoPromoVL);
            fascia.fPrezzoPromo = Funzioni::FormattaImporto(fascia.prezzoPromo, m_cambi.arrotondamento);
        }
    }
}

bool CatalogoMotorePrezzi::ApplicaRigaProdotto(CatalogoPrezzo& prezzo, const CatalogoScontoRiga& riga) const
{
    ApplicaFasce(prezzo, riga);
    bool trovato = false;
    double percentuale = 0;
    double promo = -1;
    if (const auto p = Percentuale(riga.scontoPredefinito)) {
        prezzo.sconto = riga.scontoPredefinito.toString();
        percentuale = *p;
        trovato = true;
    }
    if (Presente(riga.prezzoPromoPredefinito)) {
        promo = riga.prezzoPromoPredefinito.toDouble();
        ImpostaPrezzoPromozionale(prezzo, promo);
        trovato = true;
    }
    const auto periodo = Percentuale(riga.scontoPeriodo);
    const bool promoPeriodo = Presente(riga.prezzoPromoPeriodo);
    // A period with nothing to give leaves the default terms whole, so the
    // promotional price shown is the one charged.
    if (DentroFinestra(riga.validitaDal, riga.validitaAl, m_oggi) && (periodo || promoPeriodo)) {
        promo = -1;
        if (periodo) {
            prezzo.prezzoPromozionale.clear();
            prezzo.fPrezzoPromozionale.clear();
            prezzo.sconto = riga.scontoPeriodo.toString();
            percentuale = *periodo;
        }
        if (promoPeriodo) {
            prezzo.sconto.clear();
            promo = riga.prezzoPromoPeriodo.toDouble();
            ImpostaPrezzoPromozionale(prezzo, promo);
        }
        trovato = true;
    }
    if (!trovato)
        return false;
    if (promo >= 0)
        prezzo.prezzoProdottoVL = promo;
    else
        Riduci(prezzo, percentuale);
    return true;
}

bool CatalogoMotorePrezzi::ApplicaRigheCategorie(CatalogoPrezzo& prezzo, const QVector<CatalogoScontoRiga>& righe) const
{
    bool trovato = false;
    double percentuale = 0;
    double migliore = 0;
    QString testo;
    prezzo.sconto.clear();
    // The figure of one row carries over to the next when that row has
    // nothing of its own; the strictly larger figure wins.
    for (const CatalogoScontoRiga& riga : righe) {
        if (LeggiSconto(riga, testo, percentuale))
            trovato = true;
        if (percentuale > migliore) {
            migliore = percentuale;
            prezzo.sconto = testo;
        }
    }
    if (trovato)
        Riduci(prezzo, migliore);
    return trovato;
}

bool CatalogoMotorePrezzi::LeggiSconto(const CatalogoScontoRiga& riga, QString& testo, double& percentuale) const
{
    bool trovato = false;
    if (const auto p = Percentuale(riga.scontoPredefinito)) {
        testo = riga.scontoPredefinito.toString();
        percentuale = *p;
        trovato = true;
    }
    if (DentroFinestra(riga.validitaDal, riga.validitaAl, m_oggi)) {
        if (const auto p = Percentuale(riga.scontoPeriodo)) {
            testo = riga.scontoPeriodo.toString();
            percentuale = *p;
            trovato = true;
        }
    }
    return trovato;
}

bool CatalogoMotorePrezzi::ApplicaRecord(CatalogoPrezzo& prezzo, const CatalogoScontoRiga& record) const
{
    double percentuale = 0;
    const bool trovato = LeggiSconto(record, prezzo.sconto, percentuale);
    Riduci(prezzo, percentuale);
    return trovato;
}
