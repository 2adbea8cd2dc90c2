#include "recordset/QtrRelatedRows.h"

#include "recordset/CQTRDaoRecordset.h"

#include <QDir>

namespace {

// The prefix with "?" taking any one character, compared without case.
bool PrefixMatches(const QString& name, const QString& prefix)
{
    if (name.size() < prefix.size())
        return false;
    for (int i = 0; i < prefix.size(); ++i)
        if (prefix.at(i) != QLatin1Char('?') && prefix.at(i).toLower() != name.at(i).toLower())
            return false;
    return true;
}

bool NameBelongsTo(const QString& name, const QString& id, const QString& prefix)
{
    if (!PrefixMatches(name, prefix))
        return false;
    if (name.mid(prefix.size(), id.size()) != id)
        return false;
    const int end = prefix.size() + id.size();
    if (end == name.size())
        return true;
    const QChar next = name.at(end);
    return next == QLatin1Char('.') || (!prefix.isEmpty() && next == QLatin1Char('_'));
}

} // namespace

void AggiornaTabelleCorrelate(const QString& table, const QString& column, qint32 oldValue, qint32 newValue,
                              CDaoDatabase* database, bool tracking, const QString& projectFolder)
{
    CQTRDaoRecordset related(database);
    related.m_bTracking = tracking;
    related.m_strProjectFolder = projectFolder;
    // The condition goes in the filter, not the statement: a row is read
    // again by the statement alone, and must still be found once re-pointed.
    related.m_strFilter = CDaoCriteria::Column(column) + QStringLiteral("=?");
    related.m_filterParams = {oldValue};
    related.Open(dbOpenDynaset, QStringLiteral("SELECT * FROM ") + CDaoCriteria::Column(table));
    while (!related.IsEOF()) {
        related.Edit();
        related.SetFieldValue(column, newValue);
        related.Update();
        related.MoveNext();
    }
    related.Close();
}

QStringList MatchRecordFiles(const QString& folder, qint32 id, const QString& prefix)
{
    const QDir dir(folder);
    const QString idText = QString::number(id);
    QStringList matches;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name))
        if (NameBelongsTo(name, idText, prefix))
            matches << dir.filePath(name);
    return matches;
}

void DeleteFiles(const QString& folder, qint32 id, const QString& prefix, CDaoDatabase* database)
{
    const QStringList files = MatchRecordFiles(folder, id, prefix);
    if (database)
        database->DeleteFilesOnCommit(files);
    else
        CDaoDatabase::RemoveFiles(files);
}
