#include "desktop/catalogue/ProdottoForm.h"

namespace {

double ValueOf(const QVariant& value) { return value.isNull() ? 0.0 : value.toDouble(); }

bool SameNumber(const QVariant& a, const QVariant& b)
{
    if (a.isNull() != b.isNull())
        return false;
    // An entry that does not read is never the stored number.
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.typeId() == b.typeId() && a == b;
    const double x = ValueOf(a);
    const double y = ValueOf(b);
    return a.isNull() || qAbs(x - y) <= 1e-7 * qMax(1.0, qAbs(x));
}

bool SameDate(const QDateTime& a, const QDateTime& b)
{
    return a.isNull() == b.isNull() && (a.isNull() || a == b);
}

} // namespace

bool ProdottoForm::SameAs(const ProdottoForm& b) const
{
    const ProdottoForm& a = *this;
    if (a.codice != b.codice || a.nome != b.nome || a.codiceABarre != b.codiceABarre
        || a.descrizioneFattura != b.descrizioneFattura || a.descrizioneBreve != b.descrizioneBreve
        || a.descrizioneEstesa != b.descrizioneEstesa || a.um != b.um || a.attivo != b.attivo
        || a.novita != b.novita || a.mailing != b.mailing || a.offerta != b.offerta)
        return false;
    for (int i = 0; i < 4; ++i)
        if (!SameNumber(a.prezzi[i], b.prezzi[i]))
            return false;
    for (auto member : {&ProdottoForm::prezzoPromozione, &ProdottoForm::iva, &ProdottoForm::peso,
                        &ProdottoForm::confezioni, &ProdottoForm::disponibilita, &ProdottoForm::sconto})
        if (!SameNumber(a.*member, b.*member))
            return false;
    return SameDate(a.validitaDal, b.validitaDal) && SameDate(a.validitaAl, b.validitaAl);
}
