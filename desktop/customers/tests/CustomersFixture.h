#pragma once

#include "desktop/shell/controls/tests/ShopTestDb.h"

#include <QString>

// A throwaway shop project for the customers desk: languages, customers,
// groups, interests and access-right rows put in by plain SQL, the
// enciphered interest names through their table class.
class CustomersFixture : public ShopTestDb
{
public:
    CustomersFixture();

    void AddCustomer(qint32 id, const QString& ragioneSociale, const QString& cognome, const QString& nome,
                     int kind, const Values& more = {});
    void AddGroup(qint32 id, const QString& nome);
    void AddInterest(qint32 id, qint32 ordine);
    void AddInterestText(qint32 rowId, qint32 interest, const QString& language, const QString& nome,
                         const QString& descrizione = QString());
    void AddRight(qint32 id, qint32 gruppo, qint32 utente, int tipo, qint32 record);
    int Count(const QString& table, const QString& where = QStringLiteral("1=1"), const QVariantList& params = {});
};
