#pragma once

#include <QString>
#include <QStringList>

class CDaoDatabase;

// In every row of table whose column equals oldValue, sets the column to
// newValue and saves the row through the tracked save (with the given
// tracking). The rows' marker goes to projectFolder, or to the host's
// project folder when it is empty.
void AggiornaTabelleCorrelate(const QString& table, const QString& column, qint32 oldValue, qint32 newValue,
                              CDaoDatabase* database, bool tracking, const QString& projectFolder = QString());

// The files of one record in folder, by the names their writers give them:
// with no prefix "<ID>" or "<ID>.<anything>"; with a prefix (where "?"
// stands for any one character) the prefix, the ID and then "_", "." or
// the end of the name, so that record 5 never takes record 51's files.
// Letter case is ignored; folders are never matched.
QStringList MatchRecordFiles(const QString& folder, qint32 id, const QString& prefix);

// Deletes the record's files: with a database, once its outermost
// transaction commits (see CDaoDatabase::DeleteFilesOnCommit), else at
// once. A file that cannot be deleted is passed over, and a missing folder
// is no error.
void DeleteFiles(const QString& folder, qint32 id, const QString& prefix, CDaoDatabase* database = nullptr);
