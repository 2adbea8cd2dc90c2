#pragma once

#include "platform/dao/CDaoFieldExchange.h"

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <optional>

// The members a table class binds in DoFieldExchange: the column each one
// reads, looked up once per opening, and the value each held when last
// read or defaulted, so that a save writes only the members that changed.
// Also the conversions between a member's type and the stored value.
class CDaoFieldCache
{
public:
    // Forgets the bound members (a BindField pass follows).
    void ClearBindings();
    void Bind(const QString& column, int columnIndex);
    // Forgets the cached values (after opening).
    void ClearValues();

    // The column of a bound member; raises for a member whose column the
    // statement does not have.
    int Column(int field, const char* name) const;

    // The member to its type's default, cached.
    void SetDefault(int field, QVariant& member, QMetaType::Type type);
    // The member from a stored value, cached.
    void Fixup(int field, QVariant& member, const QVariant& stored, QMetaType::Type type,
               const CDaoTextCodec* codec);
    // True when the member differs from its cached value (or has none).
    bool Changed(int field, const QVariant& member) const;

    static QVariant DefaultFor(QMetaType::Type type);
    static QVariant FromStored(const QVariant& stored, QMetaType::Type type, const CDaoTextCodec* codec);
    static QVariant ToStored(const QVariant& member, QMetaType::Type type, const CDaoTextCodec* codec);

private:
    void Cache(int field, const QVariant& member);

    QStringList m_names;
    QVector<int> m_columns;   // per bound member, its column (-1: none)
    QVector<std::optional<QVariant>> m_values;
};
