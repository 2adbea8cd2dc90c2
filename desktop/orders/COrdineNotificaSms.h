#pragma once

#include "desktop/orders/COrdineStati.h"

#include <QString>

class CDaoDatabase;

// The SMS that tells a customer the new state of the order, offered when
// the merchant adds a state by hand and the customer has a mobile number.
// It goes out at once through the shop's server; questions and failures
// go through CMessageBox.
class COrdineNotificaSms
{
public:
    COrdineNotificaSms(CDaoDatabase& db, const QString& defaultLanguage);

    // Header, order number, date, time and state in one line; the requests
    // cut it to 160 characters.
    static QString Text(const QString& header, const QString& orderNumber, const COrdineStati::Entry& entry);

    // Asks "Vuoi inviare notifica SMS ?" and on Yes sends the notice to
    // mobile; nothing when mobile is empty or the shop's account is not set.
    void Offer(const QString& mobile, const QString& orderNumber, const QString& orderLanguage,
               const COrdineStati::Entry& entry);

private:
    CDaoDatabase& m_db;
    QString m_strDefaultLanguage;
};
