#pragma once

#include <QString>

#include <memory>

class CDaoDatabase;
class CQTRDaoRecordset;

// The table class that deletes a row of a table with its dependants and
// files; tables without a class of their own get the tracked base class.
class CScriptExTables
{
public:
    static std::unique_ptr<CQTRDaoRecordset> Open(CDaoDatabase& database, const QString& table);
};
