#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

using CNamedValues = QList<QPair<QString, QVariant>>;

// Session and Application values as the state tables keep them: bytes that
// give back each value with its type (number, boolean, text, date).
class CStoredValue
{
public:
    static QByteArray Encode(const QVariant& value);
    static QVariant Decode(const QByteArray& bytes);
    static QByteArray EncodeAll(const CNamedValues& values);
    static CNamedValues DecodeAll(const QByteArray& bytes);
};
