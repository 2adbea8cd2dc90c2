#pragma once

#include "platform/testing/TempFolder.h"

#include <QString>
#include <QVector>

// A throwaway project for one test: a folder with db/ and website/ and a
// copy of the installation's reference database, whose languages a test
// can replace.
class TestProject
{
public:
    struct Language
    {
        qint32 id;
        QString code;
        QString description;
        bool active;
    };

    explicit TestProject(const QString& name = QStringLiteral("negozio"));

    QString Folder() const { return m_strFolder; }   // without a trailing "/"
    QString DatabasePath() const { return m_strFolder + QStringLiteral("/db/database.mdb"); }
    // Where the throwaway project sits; other folders may be made beside it.
    QString Parent() const { return m_temp.Path(); }

    // Replaces the rows of Lingue and the default language.
    void SetLanguages(const QVector<Language>& languages, qint32 defaultId) const;

    // The folder of the test program, which holds the reference databases.
    static QString InstallFolder();

private:
    TempFolder m_temp;
    QString m_strFolder;
};
