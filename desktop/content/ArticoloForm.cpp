#include "desktop/content/ArticoloForm.h"

namespace {

// A date field holds no seconds' fractions; null and null are equal.
bool SameDate(const QDateTime& a, const QDateTime& b)
{
    if (a.isValid() != b.isValid())
        return false;
    return !a.isValid() || a == b;
}

} // namespace

bool ArticoloForm::SameStored(const ArticoloForm& other) const
{
    return codice == other.codice && SameDate(dataPubblicazione, other.dataPubblicazione)
           && SameDate(dallaData, other.dallaData) && SameDate(allaData, other.allaData)
           && idTemplate == other.idTemplate && idModulo == other.idModulo && idRisposta == other.idRisposta
           && attivo == other.attivo && novita == other.novita && mailing == other.mailing
           && stampa == other.stampa && segnalazione == other.segnalazione && voto == other.voto
           && titolo == other.titolo && autore == other.autore && sottotitolo == other.sottotitolo
           && testo == other.testo;
}
