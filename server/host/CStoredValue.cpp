#include "server/host/CStoredValue.h"

#include "platform/pagehost/CScriptValue.h"

#include <QJsonArray>
#include <QJsonDocument>

// Each value in the page host's typed text form ("n:2.5", "b:true", ...),
// so a row reads the same to a person looking at the table.
QByteArray CStoredValue::Encode(const QVariant& value) { return CScriptValue::Encode(value).toUtf8(); }

QVariant CStoredValue::Decode(const QByteArray& bytes) { return CScriptValue::Decode(QString::fromUtf8(bytes)); }

// A JSON array of [name, value] pairs.
QByteArray CStoredValue::EncodeAll(const CNamedValues& values)
{
    QJsonArray all;
    for (const auto& [name, value] : values)
        all.append(QJsonArray{name, CScriptValue::Encode(value)});
    return QJsonDocument(all).toJson(QJsonDocument::Compact);
}

// Unreadable bytes (a damaged row) give an empty Session, not a failure;
// a value that cannot be read is left out.
CNamedValues CStoredValue::DecodeAll(const QByteArray& bytes)
{
    CNamedValues values;
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    for (const QJsonValue& entry : document.array()) {
        const QJsonArray pair = entry.toArray();
        const QVariant value = CScriptValue::Decode(pair.at(1).toString());
        if (pair.size() == 2 && value.isValid())
            values.append({pair.at(0).toString(), value});
    }
    return values;
}
