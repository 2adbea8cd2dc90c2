#pragma once

#include "platform/pagehost/CField.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

// A request collection (query string, form, server variables): fields in the
// order they came, names compared without regard to letter case and found
// by hash, so a form of many fields costs no more per field than a small one.
class CFields : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    void AddField(const QString& name, const QString& value);
    void Clear();
    const QList<CField>& Fields() const { return m_fields; }

    // A key that is empty or begins with a digit is a 1-based position
    // (its leading digits); any other key is a name. No match: empty text.
    Q_INVOKABLE QString GetValue(const QString& key) const;
    Q_INVOKABLE int Count() const;
    Q_INVOKABLE QString Prova(const QString& text) const;
    Q_INVOKABLE QStringList Names() const;
    Q_INVOKABLE QStringList Values() const;

private:
    QList<CField> m_fields;
    QHash<QString, qsizetype> m_positions;   // by lower-case name
};
