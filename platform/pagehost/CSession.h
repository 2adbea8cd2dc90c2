#pragma once

#include "platform/pagehost/CScriptValues.h"
#include "platform/asp/IAspSession.h"

// One visitor's values, kept with their type (what a page stores as false
// reads back as false). The preview has one session for all its pages; a
// server gives each visitor a store of his own (SetStore).
class CSession : public CScriptValues, public IAspSession
{
    Q_OBJECT
public:
    explicit CSession(QObject* parent = nullptr);

    // IAspSession
    QVariant Value(const QString& key) const override { return Store().Value(key); }
    void SetValue(const QString& key, const QVariant& value) override { SetOrThrow(key, value); }
    void SetPageValue(const QString& key, const QVariant& value) override { SetOrThrow(key, value, true); }

    // For a host that names its visitors' Sessions: the identifier the page
    // reads, and what the page asked of it. Abandon ends the Session after
    // the page; RenewID keeps its values under a new identifier (after a
    // login, so an identifier seen before it is worth nothing after).
    void SetSessionID(const QString& id);
    Q_INVOKABLE QString SessionID() const { return m_id; }
    Q_INVOKABLE void Abandon() { m_abandoned = true; }
    Q_INVOKABLE void RenewID() override { m_renew = true; }
    bool IsAbandoned() const { return m_abandoned; }
    bool IsRenewRequested() const { return m_renew; }

    static QString ConversionError();

private:
    QString m_id;
    bool m_abandoned = false;
    bool m_renew = false;
};
