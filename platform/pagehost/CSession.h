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
    QVariant Value(const QString& key) const override { return Item(key); }
    void SetValue(const QString& key, const QVariant& value) override { SetOrThrow(key, value); }

    static QString ConversionError();
};
