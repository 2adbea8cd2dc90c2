#pragma once

#include <QString>
#include <QStringList>

// Which tables and columns travel in which direction. The shop writes a
// few tables of its own (customers, orders, their lines, interests, forum
// posts, access rights): the order download fetches those, and a row of
// them that the shop changed wins over the desktop's older copy. Some
// columns only the desktop needs (the shop account's password, the proxy
// it goes out through); they never leave it.
class CSyncColumns
{
public:
    // The tables the shop writes, in the order the download fetches them.
    static const QStringList& ShopWrittenTables();
    static bool IsShopWritten(const QString& table);
    static bool IsDesktopOnly(const QString& table, const QString& column);
    // The desktop-only columns of a table (none for most).
    static QStringList DesktopOnly(const QString& table);
};
