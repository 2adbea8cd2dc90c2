#include "exchange/scripts/CStagedFiles.h"

#include <QDir>
#include <QFile>

CStagedFiles::~CStagedFiles() { Discard(); }

QString CStagedFiles::Stage(const QString& target)
{
    for (const auto& file : std::as_const(m_files)) {
        if (file.second == target)
            return file.first;
    }
    const QString staged = target + QStringLiteral(".nuovo");
    m_files.append({staged, target});
    return staged;
}

bool CStagedFiles::Commit(QString* error)
{
    bool all = true;
    for (const auto& [staged, target] : std::as_const(m_files)) {
        if (!QFile::exists(staged))
            continue;
        if ((QFile::remove(target) || !QFile::exists(target)) && QFile::rename(staged, target))
            continue;
        if (all && error)
            *error = QStringLiteral("Impossibile salvare %1").arg(QDir::toNativeSeparators(target));
        all = false;
        QFile::remove(staged);
    }
    m_files.clear();
    return all;
}

void CStagedFiles::Discard()
{
    for (const auto& file : std::as_const(m_files))
        QFile::remove(file.first);
    m_files.clear();
}
