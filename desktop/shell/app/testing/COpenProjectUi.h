#pragma once

#include "desktop/shell/app/CTindaProjectUi.h"

#include <QString>
#include <QStringList>

// The project UI of a test that starts tinda on a throwaway project: the
// merchant "chooses" that folder, and no sync lock is waited for.
class COpenProjectUi : public CTindaProjectUi
{
public:
    COpenProjectUi(CTindaApp& app, const QString& folder) : CTindaProjectUi(app), m_strFolder(folder) {}

    bool ChooseProject(const QStringList&, bool* createNew, QString* folder) override
    {
        *createNew = false;
        *folder = m_strFolder;
        return true;
    }
    bool WaitForSyncLock(const QString&) override { return true; }

private:
    QString m_strFolder;
};
