#include "server/host/CStoredValue.h"

#include <QDataStream>
#include <QIODevice>

namespace {

constexpr QDataStream::Version kVersion = QDataStream::Qt_6_4;

} // namespace

QByteArray CStoredValue::Encode(const QVariant& value)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(kVersion);
    out << value;
    return bytes;
}

QVariant CStoredValue::Decode(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(kVersion);
    QVariant value;
    in >> value;
    return in.status() == QDataStream::Ok ? value : QVariant();
}

QByteArray CStoredValue::EncodeAll(const CNamedValues& values)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(kVersion);
    out << values;
    return bytes;
}

// Unreadable bytes (a damaged row) give an empty Session, not a failure.
CNamedValues CStoredValue::DecodeAll(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(kVersion);
    CNamedValues values;
    in >> values;
    return in.status() == QDataStream::Ok ? values : CNamedValues();
}
