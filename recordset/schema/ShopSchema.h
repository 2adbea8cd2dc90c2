#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The kinds a column can have, as the .def files name them.
enum class QtrColumnKind { Long, Short, Byte, Single, Double, Bool, DateTime, Text, EText };

// The database files the tables live in. The graphic tables are held by the
// project's graphic database and by the installation's block catalogue
// alike; the account table only by the host's own database on the server.
enum class QtrDbFile { Shop, Graphic, Host };

struct QtrColumnDef
{
    QtrColumnKind kind;
    const char* name;
    bool nullable = false;   // NULL stands for "not set": no default
    bool key = false;        // the table's text key (tables without ID)
};

struct QtrTableDef
{
    const char* name;
    const char* className;   // nullptr: no table class binds the table
    bool tracked;            // its class stamps saves and logs deletions
    QtrDbFile file;
    const QtrColumnDef* columns;
    int columnCount;

    QString Name() const { return QString::fromLatin1(name); }
    QStringList ColumnNames() const;
    int ColumnIndex(const QString& column) const;   // -1 when absent; case-insensitive
    bool HasId() const { return ColumnIndex(QStringLiteral("ID")) >= 0; }
};

// The one description of every table of the system, made from the .def
// files; the DDL, the reference databases and the table classes' bindings
// all come from the same lists.
class ShopSchema
{
public:
    static const QVector<QtrTableDef>& Tables();
    static const QtrTableDef* Find(const QString& table);   // case-insensitive
    static QVector<const QtrTableDef*> TablesOf(QtrDbFile file);
    static bool IsEnciphered(const QString& table, const QString& column);
};
