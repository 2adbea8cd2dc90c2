#pragma once

#include "platform/pagehost/CValueStore.h"

#include <QHash>
#include <QMutex>
#include <QRecursiveMutex>
#include <QVariant>

#include <functional>
#include <mutex>

class CShopStateDb;

// A shop's Application: in this process's memory when the shop is on
// SQLite, in its PostgreSQL database (values in a table, the lock an
// advisory lock) when several processes serve it. Lock is held by the
// thread that took it and nests there; the page host lets it go when the
// page ends.
class CApplicationStore : public CValueStore
{
public:
    explicit CApplicationStore(CShopStateDb& db);

    QVariant Value(const QString& key) const override;
    void SetValue(const QString& key, const QVariant& value) override;
    void Lock() override;
    void UnLock() override;
    // On the shared database one statement moves the row on: no advisory
    // lock, the row is held only while the statement runs.
    qint64 Increment(const QString& key) override;

    // Runs start (global.asa's Application_OnStart) once for the shop: once
    // per process in memory, once for every process on a shared database.
    // Callers that come meanwhile wait until it has run.
    void StartOnce(const std::function<void()>& start);

private:
    CShopStateDb& m_db;
    mutable QMutex m_valuesLock;
    QHash<QString, QVariant> m_values;   // by lower-case name
    QRecursiveMutex m_pageLock;
    std::mutex m_startLock;
    bool m_started = false;
};
