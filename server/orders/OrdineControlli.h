#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <functional>

// One field of the checkout form: its form name, its Session key, its
// property of Ordine, the customer column it is pre-filled from (empty for
// none), whether it must be filled, its longest length (0 for no limit)
// and the message code of its check.
struct OrdineCampo
{
    const char* campo;      // form field, empty when the form has none
    const char* chiave;     // Session key
    const char* proprieta;  // Ordine property, empty when none
    const char* colonna;    // Clienti column for the pre-fill
    bool obbligatorio;
    int lunghezza;
    const char* codice;     // message code, empty when not checked
    bool destinatario;      // checked only when a consignee is given
};

// The checkout's fields and their checks, and the tests of an Italian tax
// code and VAT number.
class OrdineControlli
{
public:
    OrdineControlli() = delete;

    // In the order the checks run: the last failing one gives the message,
    // so a consignee's error wins over the buyer's.
    static const QList<OrdineCampo>& Campi();

    // The code of the last failing check over the Session's values (by
    // key), or empty when every check passes. The payment kind must be one
    // the shop takes (ammesso); the e-mail one address the mail client
    // sends to as it stands.
    static QString UltimoErrore(const QHash<QString, QString>& valori,
                                const std::function<bool(const QString&)>& ammesso);
    // What the Session keeps of a posted value: enough to tell that it is
    // too long, never more.
    static QString Limitato(const OrdineCampo& campo, const QString& valore);
    static constexpr int kLunghezzaNote = 2000;

    // 11 characters: a VAT number; 16: a tax code; anything else fails.
    static bool CheckCFPI(const QString& cfpi);
    static bool ControlloPartitaIVA(const QString& pi);
    static bool ControlloCodiceFiscale(const QString& cf);
    // The check letter of the first 15 characters; a null QChar when one
    // of them is not an upper-case letter or a digit.
    static QChar CarattereControlloCF(const QString& cf);
};
