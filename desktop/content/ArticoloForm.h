#pragma once

#include <QDateTime>
#include <QString>

// The values of the article card as its controls hold them: the article's
// own columns, the page template, form and reply article of the advanced
// page, and the texts of the general page in the editing language. A check
// box holds 0, 1 or 2 (the third state: "any" while a filter is entered,
// the flags' own third value otherwise); an empty date is a null QDateTime.
struct ArticoloForm
{
    enum Check { Unchecked = 0, Checked = 1, Indeterminate = 2 };

    QString codice;
    int attivo = Unchecked;
    int novita = Unchecked;
    int mailing = Unchecked;
    int stampa = Unchecked;
    int segnalazione = Unchecked;
    int voto = Unchecked;
    QDateTime dataPubblicazione;
    QDateTime dallaData;
    QDateTime allaData;
    qint32 idTemplate = 0;
    qint32 idModulo = 0;
    qint32 idRisposta = 0;
    QString rispostaNome;   // shown only
    QString titolo;
    QString autore;
    QString sottotitolo;
    QString testo;

    // What the card compares with the stored article (the reply's name
    // follows its ID and is left out).
    bool SameStored(const ArticoloForm& other) const;
};
