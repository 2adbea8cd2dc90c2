#pragma once

#include "exchange/CExchangeLog.h"
#include "exchange/CScriptSlot.h"
#include "exchange/IExchangeJobs.h"

#include <QString>

class IExchangeProgress;

// The scripted import: scripts/import.js reads the data files of the
// exchange folder (first line of path.ini) through QTR and writes them into
// a working copy of the project database, which replaces the database in
// one rename when the whole run went through. The data files are removed
// only then, and so are the pictures the script made and the site-update
// marker its saves raised; a cancelled or failed run leaves the database,
// the pictures, the marker and the files as they were. Runs before the
// project database is opened, on the thread that calls it; Cancel may come
// from any thread and stops even a script stuck in a loop.
class CScriptedImport : public IImportJob
{
public:
    enum class Result { NothingToDo, Done, NothingImported, Cancelled, Failed };

    void InitVarImport(IExchangeProgress* progress, const QString& projectFolder) override;
    void StartImport(unsigned int = 0, long = 0) override;
    void Cancel() override;
    Result LastResult() const { return m_result; }

private:
    Result Run();
    void Report(const QString& text, int icon, const QString& title) const;
    void Progress(int command, qint64 number = 0, const QString& text = QString()) const;
    QString DbFile(const QString& name) const;

    IExchangeProgress* m_progress = nullptr;
    QString m_projectFolder;
    CExchangeLog m_log{QString(), QString()};
    CScriptSlot m_script;
    Result m_result = Result::NothingToDo;
};
