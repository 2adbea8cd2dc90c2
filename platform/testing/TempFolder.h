#pragma once

#include <QString>
#include <QTemporaryDir>

// A throwaway folder for one test, removed with the object.
class TempFolder
{
public:
    TempFolder();
    QString Path() const;                     // without trailing slash
    QString FilePath(const QString& relative) const;
    void WriteFile(const QString& relative, const QByteArray& content) const;
    QByteArray ReadFile(const QString& relative) const;
    bool Exists(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};
