#pragma once

#include "platform/pagehost/CSessionField.h"
#include "platform/asp/IAspSession.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QVariant>

// The preview's session: values held as text (numbers, booleans and dates
// come back as their text) under names compared without regard to letter
// case, kept as long as the object. One session may serve pages run on
// several threads, hence the lock.
class CSession : public QObject, public IAspSession
{
    Q_OBJECT
public:
    explicit CSession(QObject* parent = nullptr);

    // The stored text, or an invalid variant for an unknown name.
    Q_INVOKABLE QVariant Item(const QString& name) const;
    // False, with nothing stored, for a value that has no text form.
    Q_INVOKABLE bool SetItem(const QString& name, const QVariant& value);

    // IAspSession. A value without a text form is refused with
    // std::invalid_argument.
    QVariant Value(const QString& key) const override { return Item(key); }
    void SetValue(const QString& key, const QVariant& value) override;

    static bool ToText(const QVariant& value, QString& text);
    static QString ConversionError();

private:
    mutable QMutex m_lock;
    QList<CSessionField> m_fields;
};
