#pragma once

#include "server/orders/CarrelloTesto.h"

#include <QString>
#include <QVariant>

class IAspRequest;

// One basket operation with its inputs: the word, the item position, the
// item to add (its quantity also serves "modifica") and the shipping
// option.
struct CarrelloOperazione
{
    QString parola;   // lower case
    qint32 indice = 0;
    CarrelloOggetto oggetto;
    qint32 idSpese = 0;
};

// Where an operation's inputs come from: the page's arguments, or the
// visitor's query string or posted form. A price is taken only from the
// page's arguments; a "Prezzo" the visitor sends is ignored.
class CarrelloRichiesta
{
public:
    CarrelloRichiesta() = delete;

    static CarrelloOperazione DaArgomenti(const QVariant& op, const QVariant& idx, const QVariant& idProdotto,
                                          const QVariant& qta, const QVariant& idCol, const QVariant& taglia,
                                          const QVariant& prezzo, const QVariant& idSpese,
                                          const QVariant& userFields);
    // A link: keys in the order the query string carries them; a negative
    // quantity counts as positive. Keys the basket does not know become
    // the item's user fields.
    static CarrelloOperazione DaQueryString(const IAspRequest& request);
    // A form: the submit field's name is the word (an image button's ".x"
    // and ".y" dropped); a quantity below 1 or unreadable is 1.
    static CarrelloOperazione DaForm(const IAspRequest& request);

private:
    static bool Intero(const QVariant& valore, qint32& intero);
    static bool Reale(const QVariant& valore, double& reale);
};
