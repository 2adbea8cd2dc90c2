#pragma once

#include "desktop/shell/controls/tests/ShopTestDb.h"

#include <QString>

// A project with downloaded orders, made through the program's schema:
// the company row (list currency 1, euro, cents; shipped state 2), the
// states "Ricevuto" (1) and "Spedito" (2) in Italian and English, customer
// 10 (Mario Rossi, mobile 3331234567) with consignee 11, and
//  - order 1000000001 "2024031000000001": the shopper's own copy of his data,
//    two lines (2 x 10.00 at 22%, 1 x 5.50 at 10%, colour 7 "RS"), shipping
//    7.50 at 22%, paid by card, with a two-entry history;
//  - order 1000000002: no copy of the customer in the row, consignee 11,
//    one line, cash on delivery 4.00;
//  - order 1000000003: invoiced (number 3 of 2024), VAT exempt.
class OrdersFixture : public ShopTestDb
{
public:
    static constexpr qint32 kFirst = 1000000001;
    static constexpr qint32 kSecond = 1000000002;
    static constexpr qint32 kThird = 1000000003;

    OrdersFixture();

    void AddOrder(qint32 id, const Values& extra);
    void AddLine(qint32 id, qint32 order, double price, float quantity, float shipped, float vat,
                 const QString& code = QStringLiteral("P1"), qint32 colour = 0);
    void AddState(qint32 id, const QString& it, const QString& en);
    // Every row's Modificato back to 0, so a test sees what it changed.
    void ClearModified();
};
