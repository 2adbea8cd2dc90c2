#include "platform/dao/CDaoEditBuffer.h"

#include "platform/dao/CDaoDatabase.h"

#include <QSqlQuery>

void CDaoAssignments::Set(const QString& column, const QVariant& value)
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).compare(column, Qt::CaseInsensitive) == 0) {
            values[i] = value;
            return;
        }
    }
    columns << column;
    values << value;
}

bool CDaoAssignments::Has(const QString& column) const { return columns.contains(column, Qt::CaseInsensitive); }

void CDaoEditBuffer::Begin(Mode mode, int current)
{
    m_mode = mode;
    m_nSavedCurrent = current;
    m_values = {};
}

void CDaoEditBuffer::End()
{
    m_mode = None;
    m_values = {};
}

void CDaoEditBuffer::Set(const QString& column, const QVariant& value)
{
    m_values.Set(column, value.typeId() == QMetaType::Bool ? QVariant(value.toBool() ? 1 : 0) : value);
}

std::optional<QVariant> CDaoEditBuffer::Value(const QString& column) const
{
    for (int i = 0; i < m_values.columns.size(); ++i)
        if (m_values.columns.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return m_values.values.at(i);
    return std::nullopt;
}

CDaoAssignments CDaoEditBuffer::Collect(const CDaoAssignments& changedMembers) const
{
    CDaoAssignments all;
    for (int i = 0; i < changedMembers.columns.size(); ++i)
        if (!m_values.Has(changedMembers.columns.at(i)))
            all.Set(changedMembers.columns.at(i), changedMembers.values.at(i));
    for (int i = 0; i < m_values.columns.size(); ++i)
        all.Set(m_values.columns.at(i), m_values.values.at(i));
    return all;
}

QVariant CDaoEditBuffer::Insert(CDaoDatabase& database, const QString& table, const CDaoAssignments& values)
{
    QString sql;
    if (values.columns.isEmpty()) {
        sql = QStringLiteral("INSERT INTO [") + table + QStringLiteral("] DEFAULT VALUES");
    } else {
        QStringList names, marks;
        for (const QString& c : values.columns) {
            names << QStringLiteral("[") + c + QStringLiteral("]");
            marks << QStringLiteral("?");
        }
        sql = QStringLiteral("INSERT INTO [") + table + QStringLiteral("] (") + names.join(QLatin1Char(','))
              + QStringLiteral(") VALUES (") + marks.join(QLatin1Char(',')) + QStringLiteral(")");
    }
    QSqlQuery& query = database.Prepared(sql);
    CDaoDatabase::Run(query, values.values);
    const QVariant key = query.lastInsertId();
    query.finish();
    database.NoteWrite();
    return key;
}

void CDaoEditBuffer::Update(CDaoDatabase& database, const QString& table, const CDaoAssignments& values,
                            const QVariant& rowid)
{
    if (values.columns.isEmpty())
        return;
    QStringList sets;
    for (const QString& c : values.columns)
        sets << QStringLiteral("[") + c + QStringLiteral("]=?");
    const QString sql = QStringLiteral("UPDATE [") + table + QStringLiteral("] SET ") + sets.join(QLatin1Char(','))
                        + QStringLiteral(" WHERE rowid=?");
    QSqlQuery& query = database.Prepared(sql);
    CDaoDatabase::Run(query, values.values + QVariantList{rowid});
    query.finish();
    database.NoteWrite();
}

void CDaoEditBuffer::Delete(CDaoDatabase& database, const QString& table, const QVariant& rowid)
{
    QSqlQuery& query = database.Prepared(QStringLiteral("DELETE FROM [") + table + QStringLiteral("] WHERE rowid=?"));
    CDaoDatabase::Run(query, {rowid});
    query.finish();
    database.NoteWrite();
}
