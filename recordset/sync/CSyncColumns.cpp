#include "recordset/sync/CSyncColumns.h"

const QStringList& CSyncColumns::ShopWrittenTables()
{
    static const QStringList tables{QStringLiteral("Clienti"),         QStringLiteral("Ordini"),
                                    QStringLiteral("OrdiniDettaglio"), QStringLiteral("InteressiUtenti"),
                                    QStringLiteral("InterventiForum"), QStringLiteral("Permessi")};
    return tables;
}

bool CSyncColumns::IsShopWritten(const QString& table) { return ShopWrittenTables().contains(table); }

QStringList CSyncColumns::DesktopOnly(const QString& table)
{
    // The site account's password and the proxy settings serve the
    // desktop's own connection; the shop reads none of them.
    if (table == QLatin1String("Configurazione"))
        return {QStringLiteral("Password"), QStringLiteral("ServerProxy"), QStringLiteral("PortaHttp"),
                QStringLiteral("UserIDProxy"), QStringLiteral("PasswordProxy")};
    return {};
}

bool CSyncColumns::IsDesktopOnly(const QString& table, const QString& column)
{
    return DesktopOnly(table).contains(column, Qt::CaseInsensitive);
}
