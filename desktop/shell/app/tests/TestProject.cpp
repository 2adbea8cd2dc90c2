#include "desktop/shell/app/tests/TestProject.h"

#include "platform/dao/CDaoDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TestProject::TestProject(const QString& name) : m_strFolder(m_temp.Path() + QLatin1Char('/') + name)
{
    QDir().mkpath(m_strFolder + QStringLiteral("/db"));
    QDir().mkpath(m_strFolder + QStringLiteral("/website"));
    const QString reference = InstallFolder() + QStringLiteral("/db/database.mdb");
    EXPECT_TRUE(QFile::copy(reference, DatabasePath())) << reference.toStdString();
    QFile::setPermissions(DatabasePath(), QFile::ReadOwner | QFile::WriteOwner);
}

void TestProject::SetLanguages(const QVector<Language>& languages, qint32 defaultId) const
{
    CDaoDatabase database;
    database.Open(DatabasePath());
    database.Execute(QStringLiteral("DELETE FROM Lingue"));
    for (const Language& language : languages)
        database.Execute(QStringLiteral("INSERT INTO Lingue (ID, Codice, Descrizione, Attivo) VALUES (?, ?, ?, ?)"),
                         {language.id, language.code, language.description, language.active ? 1 : 0});
    database.Execute(QStringLiteral("UPDATE Configurazione SET LinguaPredefinita=?"), {defaultId});
    database.Close();
}

QString TestProject::InstallFolder()
{
    return QCoreApplication::applicationDirPath();
}
