#include "exchange/tests/ExchangeProject.h"

#include "platform/testing/CTestDatabaseFile.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

ExchangeProject::ExchangeProject()
{
    QDir().mkpath(m_folder.FilePath("db"));
    QDir().mkpath(m_folder.FilePath("scripts"));
    QDir().mkpath(Exchange());
    if (!QFile::copy(QStringLiteral(QTR_REFDB_DIR "/database.mdb"), Database()))
        throw std::runtime_error("reference database missing");
    QFile(Database()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    m_folder.WriteFile("path.ini", (Exchange() + "\n").toUtf8());
}

void ExchangeProject::WriteScript(const QString& name, const QByteArray& text) const
{
    m_folder.WriteFile("scripts/" + name, text);
}

void ExchangeProject::CopySample(const QString& sample, const QString& to) const
{
    QFile::remove(to);
    if (!QFile::copy(QStringLiteral(QTR_SAMPLES_DIR "/") + sample, to))
        throw std::runtime_error("sample missing");
    QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

QByteArray ExchangeProject::DatabaseBytes() const { return m_folder.ReadFile("db/database.mdb"); }

QVariant ExchangeProject::Value(const QString& sql, const QVariantList& params) const
{
    return CTestDatabaseFile::FirstValue(Database(), sql, params);
}
