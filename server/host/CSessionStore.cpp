#include "server/host/CSessionStore.h"

#include "server/host/CShopStateDb.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlQuery>

QString CSessionStore::NewId()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(words), sizeof(words)).toHex());
}

bool CSessionStore::IsWellFormed(const QString& id)
{
    static const QRegularExpression kId(QStringLiteral("^[0-9a-f]{32}$"));
    return kId.match(id).hasMatch();
}

CSessionStore::CSessionStore(CShopStateDb& db, int timeoutMinutes, int maxSessions)
    : m_db(db), m_timeoutMinutes(timeoutMinutes), m_maxSessions(maxSessions)
{
}

void CSessionStore::Lock(const QString& id)
{
    {
        std::unique_lock lock(m_mutex);
        m_released.wait(lock, [&] { return !m_locked.contains(id); });
        m_locked.insert(id);
    }
    try {
        m_db.AdvisoryLock(1, id);
    } catch (...) {
        Unlock(id);
        throw;
    }
}

void CSessionStore::Unlock(const QString& id)
{
    try {
        m_db.AdvisoryUnlock(1, id);
    } catch (...) {
        // The lock ends with the connection anyway; the local one must go.
    }
    std::lock_guard lock(m_mutex);
    m_locked.remove(id);
    m_released.notify_all();
}

// A Session's stored time of access may lag its last page by up to this
// much (see IsRecent); it is given that much longer, so it never ends
// before its idle time.
qint64 CSessionStore::Lag() const
{
    return qMin<qint64>(30, qint64(m_timeoutMinutes) * 6);
}

qint64 CSessionStore::Oldest() const
{
    return QDateTime::currentSecsSinceEpoch() - qint64(m_timeoutMinutes) * 60 - Lag();
}

bool CSessionStore::IsRecent(qint64 lastAccess) const
{
    return QDateTime::currentSecsSinceEpoch() - lastAccess < Lag();
}

bool CSessionStore::Load(const QString& id, CNamedValues& values, qint64* lastAccess)
{
    QSqlQuery query = m_db.Run(
        QStringLiteral("SELECT Valori, UltimoAccesso FROM QtrSessioni WHERE Negozio = ? AND ID = ?"),
        {m_db.ShopName(), id});
    if (!query.next())
        return false;
    if (query.value(1).toLongLong() < Oldest()) {
        query.finish();
        Remove(id);
        return false;
    }
    if (lastAccess)
        *lastAccess = query.value(1).toLongLong();
    values = CStoredValue::DecodeAll(query.value(0).toByteArray());
    return true;
}

void CSessionStore::Save(const QString& id, const CNamedValues& values, bool isNew)
{
    m_db.Write(QStringLiteral("INSERT INTO QtrSessioni (Negozio, ID, Valori, UltimoAccesso) VALUES (?, ?, ?, ?) "
                            "ON CONFLICT (Negozio, ID) DO UPDATE SET Valori = excluded.Valori, "
                            "UltimoAccesso = excluded.UltimoAccesso"),
             {m_db.ShopName(), id, CStoredValue::EncodeAll(values), QDateTime::currentSecsSinceEpoch()});
    // Counting the rows after every new Session would cost a scan each;
    // every hundredth of the limit is close enough, and a small limit is
    // kept exactly.
    if (isNew && m_maxSessions > 0 && ++m_addedSinceCount >= qMax(1, m_maxSessions / 100)) {
        m_addedSinceCount = 0;
        Evict();
    }
}

int CSessionStore::Evict()
{
    if (m_maxSessions <= 0)
        return 0;
    QSqlQuery count = m_db.Run(QStringLiteral("SELECT COUNT(*) FROM QtrSessioni WHERE Negozio = ?"), {m_db.ShopName()});
    const qint64 excess = count.next() ? count.value(0).toLongLong() - m_maxSessions : 0;
    count.finish();
    if (excess <= 0)
        return 0;
    QSqlQuery removed = m_db.Write(
        QStringLiteral("DELETE FROM QtrSessioni WHERE Negozio = ? AND ID IN (SELECT ID FROM QtrSessioni "
                       "WHERE Negozio = ? ORDER BY UltimoAccesso, ID LIMIT ?)"),
        {m_db.ShopName(), m_db.ShopName(), excess});
    return removed.numRowsAffected();
}

void CSessionStore::Remove(const QString& id)
{
    m_db.Write(QStringLiteral("DELETE FROM QtrSessioni WHERE Negozio = ? AND ID = ?"), {m_db.ShopName(), id});
}

QString CSessionStore::Renew(const QString& id)
{
    const QString renewed = NewId();
    m_db.Write(QStringLiteral("UPDATE QtrSessioni SET ID = ? WHERE Negozio = ? AND ID = ?"),
             {renewed, m_db.ShopName(), id});
    return renewed;
}

int CSessionStore::Purge()
{
    QSqlQuery query = m_db.Write(QStringLiteral("DELETE FROM QtrSessioni WHERE Negozio = ? AND UltimoAccesso < ?"),
                               {m_db.ShopName(), Oldest()});
    return query.numRowsAffected();
}
