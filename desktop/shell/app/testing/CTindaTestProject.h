#pragma once

#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/testing/COpenProjectUi.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

// A desk's command test starts tinda as the merchant does, on a
// throwaway project made from the installation's reference database, with
// the program's settings in a folder of the test's own (set before
// anything reads them) and the message boxes answered by a script.
// Create() makes the project; the test may add rows with Execute()
// before Start() opens tinda on it.
class CTindaTestProject
{
public:
    CTindaTestProject()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.Path());
        m_pBoxes = std::make_unique<CMessageBoxScript>();
    }

    // The project folder with its database and pictures folder; false when
    // the reference database could not be copied.
    bool Create()
    {
        QDir().mkpath(Folder() + QStringLiteral("/db"));
        QDir().mkpath(Folder() + QStringLiteral("/website/images"));
        if (!QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/db/database.mdb"), DatabasePath()))
            return false;
        QFile::setPermissions(DatabasePath(), QFile::ReadOwner | QFile::WriteOwner);
        return true;
    }

    // Runs sql on the project's database before tinda opens it (the rows
    // a test starts from).
    void Execute(const QString& sql)
    {
        CDaoDatabase db;
        db.Open(DatabasePath());
        db.Execute(sql);
        db.Close();
    }

    // Starts app on the project; false when the project did not open.
    bool Start(CTindaApp& app)
    {
        app.m_strInstallFolder = QCoreApplication::applicationDirPath();
        app.SetProjectUi(std::make_unique<COpenProjectUi>(app, Folder()));
        return app.InitInstance() && app.m_bProjectOpen;
    }

    QString Folder() const { return m_temp.Path() + QStringLiteral("/negozio"); }
    QString DatabasePath() const { return Folder() + QStringLiteral("/db/database.mdb"); }
    CMessageBoxScript& Boxes() { return *m_pBoxes; }

private:
    TempFolder m_settings;
    std::unique_ptr<CMessageBoxScript> m_pBoxes;
    TempFolder m_temp;
};
