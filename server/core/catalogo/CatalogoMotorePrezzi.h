#pragma once

#include "server/core/catalogo/CatalogoPrezzo.h"
#include "server/core/catalogo/ICatalogoFonteSconti.h"

#include <QDate>

#include <optional>

// The price a visitor pays before VAT: the product's own offer, then the
// customer's discount found in a fixed order (his product row, else his
// group's; his category rows, else his group's; his own record; his
// group's record). Only one level applies. Everything stays in the list
// currency except the tier prices, which the page shows in the web one.
class CatalogoMotorePrezzi
{
public:
    CatalogoMotorePrezzi(ICatalogoFonteSconti& fonte, const CatalogoCambi& cambi, const QDate& oggi);

    // The product's offer inside its window; outside it the offer is off.
    void ApplicaOffertaProdotto(CatalogoPrezzo& prezzo) const;

    // The customer's discount; idUtente is the Session's customer, none
    // when the Session names no customer row.
    void CalcolaScontiCliente(CatalogoPrezzo& prezzo, const std::optional<qint32>& idUtente) const;

    // A discount text as one percentage; none when the text is empty or the
    // percentage (or one of its parts) lies outside 0..100. Throws
    // std::invalid_argument for a part that is not a number.
    static std::optional<double> Percentuale(const QVariant& testo);

    // Inside a window whose null start counts as 1900-01-01 and null end as
    // 2100-01-01, both days included.
    static bool DentroFinestra(const QVariant& dal, const QVariant& al, const QDate& oggi);

private:
    bool ApplicaRigaProdotto(CatalogoPrezzo& prezzo, const CatalogoScontoRiga& riga) const;
    void ApplicaFasce(CatalogoPrezzo& prezzo, const CatalogoScontoRiga& riga) const;
    bool ApplicaRigheCategorie(CatalogoPrezzo& prezzo, const QVector<CatalogoScontoRiga>& righe) const;
    // The default discount, overridden by the period one inside its window.
    bool LeggiSconto(const CatalogoScontoRiga& riga, QString& testo, double& percentuale) const;
    bool ApplicaRecord(CatalogoPrezzo& prezzo, const CatalogoScontoRiga& record) const;
    void ImpostaPrezzoPromozionale(CatalogoPrezzo& prezzo, double valore) const;
    double InValutaWeb(double valoreVL) const;

    static void AzzeraUscite(CatalogoPrezzo& prezzo);
    static void Riduci(CatalogoPrezzo& prezzo, double percentuale);

    ICatalogoFonteSconti& m_fonte;
    CatalogoCambi m_cambi;
    QDate m_oggi;
};
