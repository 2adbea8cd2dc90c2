#include "platform/testing/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempFolder::TempFolder() : m_dir(QDir::tempPath() + "/qtr-test-XXXXXX") {}

QString TempFolder::Path() const { return m_dir.path(); }

QString TempFolder::FilePath(const QString& relative) const { return m_dir.filePath(relative); }

void TempFolder::WriteFile(const QString& relative, const QByteArray& content) const
{
    const QString path = FilePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
}

QByteArray TempFolder::ReadFile(const QString& relative) const
{
    QFile f(FilePath(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TempFolder::Exists(const QString& relative) const { return QFileInfo::exists(FilePath(relative)); }
