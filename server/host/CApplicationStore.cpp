#include "server/host/CApplicationStore.h"

#include "server/host/CShopStateDb.h"
#include "server/host/CStoredValue.h"

#include <QSqlQuery>

namespace {

// The row that says Application_OnStart has run; no page name can start
// with a control character.
const QString kStartedMarker = QStringLiteral("\x01started");

} // namespace

CApplicationStore::CApplicationStore(CShopStateDb& db) : m_db(db) {}

QVariant CApplicationStore::Value(const QString& key) const
{
    if (!m_db.IsShared()) {
        QMutexLocker locker(&m_valuesLock);
        return m_values.value(key.toLower());
    }
    QSqlQuery query = m_db.Run(QStringLiteral("SELECT Valore FROM QtrApplicazione WHERE Negozio = ? AND Nome = ?"),
                               {m_db.ShopName(), key.toLower()});
    return query.next() ? CStoredValue::Decode(query.value(0).toByteArray()) : QVariant();
}

void CApplicationStore::SetValue(const QString& key, const QVariant& value)
{
    if (!m_db.IsShared()) {
        QMutexLocker locker(&m_valuesLock);
        if (value.isValid())
            m_values.insert(key.toLower(), value);
        else
            m_values.remove(key.toLower());
        return;
    }
    if (!value.isValid()) {
        m_db.Write(QStringLiteral("DELETE FROM QtrApplicazione WHERE Negozio = ? AND Nome = ?"),
                   {m_db.ShopName(), key.toLower()});
        return;
    }
    m_db.Write(QStringLiteral("INSERT INTO QtrApplicazione (Negozio, Nome, Valore) VALUES (?, ?, ?) "
                            "ON CONFLICT (Negozio, Nome) DO UPDATE SET Valore = excluded.Valore"),
             {m_db.ShopName(), key.toLower(), CStoredValue::Encode(value)});
}

qint64 CApplicationStore::Increment(const QString& key)
{
    if (!m_db.IsShared()) {
        QMutexLocker locker(&m_valuesLock);
        QVariant& value = m_values[key.toLower()];
        const qint64 before = value.toLongLong();
        value = before + 1;
        return before;
    }
    // The stored value is the typed text "n:41"; anything but a whole
    // number counts as 0, as Value(key).toLongLong() would read it.
    QSqlQuery query = m_db.Write(
        QStringLiteral("INSERT INTO QtrApplicazione (Negozio, Nome, Valore) VALUES (?, ?, ?) "
                       "ON CONFLICT (Negozio, Nome) DO UPDATE SET Valore = convert_to('n:' || "
                       "(COALESCE(substring(convert_from(QtrApplicazione.Valore, 'UTF8') from '^n:(-?[0-9]{1,18})$'), "
                       "'0')::bigint + 1)::text, 'UTF8') RETURNING convert_from(Valore, 'UTF8')"),
        {m_db.ShopName(), key.toLower(), CStoredValue::Encode(qint64(1))});
    const qint64 after = query.next() ? CStoredValue::Decode(query.value(0).toString().toUtf8()).toLongLong() : 1;
    return after - 1;
}

void CApplicationStore::Lock()
{
    if (m_db.IsShared())
        m_db.AdvisoryLock(2, QStringLiteral("application"));
    else
        m_pageLock.lock();
}

void CApplicationStore::UnLock()
{
    if (m_db.IsShared())
        m_db.AdvisoryUnlock(2, QStringLiteral("application"));
    else
        m_pageLock.unlock();
}

void CApplicationStore::StartOnce(const std::function<void()>& start)
{
    std::lock_guard lock(m_startLock);
    if (m_started)
        return;
    if (!m_db.IsShared()) {
        start();
        m_started = true;
        return;
    }
    m_db.AdvisoryLock(3, QStringLiteral("start"));
    try {
        QSqlQuery query = m_db.Run(QStringLiteral("SELECT 1 FROM QtrApplicazione WHERE Negozio = ? AND Nome = ?"),
                                   {m_db.ShopName(), kStartedMarker});
        if (!query.next()) {
            start();
            SetValue(kStartedMarker, true);
        }
    } catch (...) {
        m_db.AdvisoryUnlock(3, QStringLiteral("start"));
        throw;
    }
    m_db.AdvisoryUnlock(3, QStringLiteral("start"));
    m_started = true;
}
