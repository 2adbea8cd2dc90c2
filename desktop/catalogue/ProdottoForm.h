#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

// What the product card shows and the merchant types: the code on the form,
// the "Generale" and "Prezzi" pages. A number left blank is a null
// QVariant (a required one is then missing), one that does not read its
// text (the prices page refuses the save), a blank date a null
// QDateTime. The flags are three-state because a filter being entered
// reads "indeterminate" as "any value".
struct ProdottoForm
{
    enum Flag { Unchecked = 0, Indeterminate = 1, Checked = 2 };
    enum Offer { NoOfferKind = -1, Percentage = 0, PromotionalPrice = 1 };

    QString codice;
    // Generale
    QString nome;
    QString codiceABarre;
    QString descrizioneFattura;
    QString descrizioneBreve;
    QString descrizioneEstesa;
    int attivo = Unchecked;
    int novita = Unchecked;
    int mailing = Unchecked;
    // Prezzi
    QVariant prezzi[4];
    QVariant prezzoPromozione;
    QVariant iva;
    QVariant peso;
    QString um;
    QVariant confezioni;
    QVariant disponibilita;
    QVariant sconto;
    QDateTime validitaDal;
    QDateTime validitaAl;
    int offerta = Unchecked;
    int tipoOfferta = NoOfferKind;

    // The same values: texts exactly, numbers by value (a blank differs
    // from 0), dates with their blank state. The offer kind is not stored.
    bool SameAs(const ProdottoForm& other) const;
};
