#pragma once

#include <QHash>
#include <QSqlQuery>
#include <QString>

#include <optional>

// Connections kept open between pages, one set per thread, for a server
// that opens and closes a connection to the same databases for every
// request: opening reads the whole schema again, which costs more than
// most pages' queries. A closed CAdoConnection gives its connection back
// here with its prepared statements; the next Open of the same connection
// string on the thread takes it.
//
// Off unless the host turns it on: a program that replaces database files
// while it runs (the desktop's preview restores its copy) must not keep
// connections to a file that is gone.
class CAdoConnectionPool
{
public:
    struct Entry
    {
        QString name;   // the QSqlDatabase connection name
        bool postgres = false;
        QHash<QString, QSqlQuery> prepared;
    };

    static void SetEnabled(bool enabled);
    static bool IsEnabled();

    static std::optional<Entry> Take(const QString& connectionString);
    // Keeps the connection for the next Open, or closes it when the pool is
    // off or this thread keeps enough already.
    static void Give(const QString& connectionString, Entry entry);
    // Closes every connection this thread keeps.
    static void Clear();

    // Closes one connection for good.
    static void Remove(Entry& entry);

private:
    static bool StillAnswers(Entry& entry);
};
