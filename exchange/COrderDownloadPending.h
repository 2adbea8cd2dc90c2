#pragma once

#include <QList>
#include <QString>

// What an order download has left to do once its copy has replaced the
// project database: orders to export, rows and deletions to confirm to
// the shop. Kept in a file beside the database, one item a line, so a run
// cut anywhere is finished by the next. The file is written aside and put
// in place with one rename: a cut or a full disk leaves the former list
// whole, never half of it.
class COrderDownloadPending
{
public:
    struct Item
    {
        char kind;   // 'R' a row to confirm, 'D' a deletion, 'E' an order to export
        QString table;
        QString id;
        QString version = {};   // of a row: as the shop sent it, named in its confirmation
    };

    // An absent file is an empty list.
    static QList<Item> Read(const QString& file);
    // Throws CDaoException when the list cannot be written; the file then
    // holds the list as it was.
    static void Write(const QString& file, const QList<Item>& items);
};
