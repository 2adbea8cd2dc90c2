#include "platform/dao/CDaoTransaction.h"

#include "platform/dao/CDaoException.h"

CDaoTransaction::CDaoTransaction(CDaoDatabase& database) : m_database(database)
{
    m_database.BeginTrans();
}

CDaoTransaction::~CDaoTransaction()
{
    if (!m_bOpen)
        return;
    // A destructor must not throw; a rollback that fails leaves the engine
    // to end the transaction when the connection closes.
    try {
        m_database.Rollback();
    } catch (const CDaoException&) {
    }
}

void CDaoTransaction::Commit()
{
    // CommitTrans ends the transaction whether it succeeds or not.
    m_bOpen = false;
    m_database.CommitTrans();
}

void CDaoTransaction::Rollback()
{
    if (!m_bOpen)
        return;
    m_bOpen = false;
    m_database.Rollback();
}
