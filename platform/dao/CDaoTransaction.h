#pragma once

#include "platform/dao/CDaoDatabase.h"

// One transaction of a database, held for a scope: Commit ends it with the
// work kept; leaving the scope without Commit (an exception, an early
// return, a cancel) rolls it back. Inside another transaction it is a
// savepoint, so a failed step takes back only its own work.
//
//   CDaoTransaction transaction(db);
//   ... writes that may throw ...
//   transaction.Commit();
class CDaoTransaction
{
public:
    explicit CDaoTransaction(CDaoDatabase& database);
    ~CDaoTransaction();
    CDaoTransaction(const CDaoTransaction&) = delete;
    CDaoTransaction& operator=(const CDaoTransaction&) = delete;

    // Raises CDaoException when the commit fails; the transaction is then
    // rolled back already.
    void Commit();
    // Takes the work back now, before the scope ends.
    void Rollback();
    bool IsOpen() const { return m_bOpen; }

private:
    CDaoDatabase& m_database;
    bool m_bOpen = true;
};
