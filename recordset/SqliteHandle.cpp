#include "recordset/SqliteHandle.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"

#include <QDateTime>
#include <QSqlDriver>

#include <sqlite3.h>

sqlite3* SqliteHandle::Of(CDaoDatabase& database)
{
    const QVariant handle = database.Connection().driver()->handle();
    sqlite3* db = handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
                      ? *static_cast<sqlite3* const*>(handle.constData())
                      : nullptr;
    if (!db)
        throw CDaoException(QStringLiteral("Il database non è aperto."));
    return db;
}

namespace {

// NULL as the query layer takes it: a null text or date is NULL too, an
// empty text is not.
bool IsNull(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return true;
    switch (value.typeId()) {
    case QMetaType::QString: return static_cast<const QString*>(value.constData())->isNull();
    case QMetaType::QByteArray: return static_cast<const QByteArray*>(value.constData())->isNull();
    case QMetaType::QDateTime: return static_cast<const QDateTime*>(value.constData())->isNull();
    case QMetaType::QDate: return static_cast<const QDate*>(value.constData())->isNull();
    case QMetaType::QTime: return static_cast<const QTime*>(value.constData())->isNull();
    default: return false;
    }
}

} // namespace

int SqliteHandle::Bind(sqlite3_stmt* statement, int mark, const QVariant& value)
{
    if (IsNull(value))
        return sqlite3_bind_null(statement, mark);
    switch (value.typeId()) {
    case QMetaType::Bool:
        return sqlite3_bind_int(statement, mark, value.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement, mark, value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(statement, mark, value.toDouble());
    default: {
        const QString text = value.toString();
        return sqlite3_bind_text16(statement, mark, text.utf16(), int(text.size() * sizeof(QChar)), SQLITE_TRANSIENT);
    }
    }
}

sqlite3_stmt* SqliteHandle::Prepare(sqlite3* db, const QString& sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(statement);
        throw CDaoException(message + QStringLiteral(" [") + sql + QStringLiteral("]"));
    }
    return statement;
}
