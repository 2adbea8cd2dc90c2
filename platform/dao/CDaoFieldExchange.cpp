#include "platform/dao/CDaoFieldExchange.h"

#include "platform/dao/CDaoRecordset.h"

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

template <typename T>
void Exchange(CDaoFieldExchange* pFX, const char* name, T& value, QMetaType::Type type,
              const CDaoTextCodec* codec = nullptr)
{
    QVariant member = QVariant::fromValue(value);
    pFX->m_prs->ExchangeField(pFX, name, member, type, codec);
    value = member.value<T>();
}

} // namespace

QDateTime DaoZeroDate() { return QDateTime(QDate(1899, 12, 30), QTime(0, 0)); }

QString DaoDateToText(const QDateTime& value)
{
    return value.isValid() ? value.toString(kDateFormat) : DaoZeroDate().toString(kDateFormat);
}

QDateTime DaoDateFromText(const QVariant& stored)
{
    if (stored.isNull())
        return DaoZeroDate();
    if (stored.typeId() == QMetaType::QDateTime)
        return stored.toDateTime();
    const QString text = stored.toString().trimmed();
    QDateTime value = QDateTime::fromString(text, kDateFormat);
    if (!value.isValid())
        value = QDateTime::fromString(text, Qt::ISODate);
    if (!value.isValid()) {
        const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        value = date.isValid() ? QDateTime(date, QTime(0, 0)) : DaoZeroDate();
    }
    return value;
}

void DFX_Long(CDaoFieldExchange* pFX, const char* name, qint32& value)
{
    Exchange(pFX, name, value, QMetaType::Int);
}

void DFX_Short(CDaoFieldExchange* pFX, const char* name, qint16& value)
{
    Exchange(pFX, name, value, QMetaType::Short);
}

void DFX_Byte(CDaoFieldExchange* pFX, const char* name, quint8& value)
{
    Exchange(pFX, name, value, QMetaType::UChar);
}

void DFX_Single(CDaoFieldExchange* pFX, const char* name, float& value)
{
    Exchange(pFX, name, value, QMetaType::Float);
}

void DFX_Double(CDaoFieldExchange* pFX, const char* name, double& value)
{
    Exchange(pFX, name, value, QMetaType::Double);
}

void DFX_Bool(CDaoFieldExchange* pFX, const char* name, bool& value)
{
    Exchange(pFX, name, value, QMetaType::Bool);
}

void DFX_DateTime(CDaoFieldExchange* pFX, const char* name, QDateTime& value)
{
    Exchange(pFX, name, value, QMetaType::QDateTime);
}

void DFX_Text(CDaoFieldExchange* pFX, const char* name, QString& value, const CDaoTextCodec* codec)
{
    Exchange(pFX, name, value, QMetaType::QString, codec);
}
