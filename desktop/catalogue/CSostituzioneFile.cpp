#include "desktop/catalogue/CSostituzioneFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

CSostituzioneFile::~CSostituzioneFile()
{
    Restore();
}

QString CSostituzioneFile::AsideName(const QString& path)
{
    const QFileInfo info(path);
    return info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".old");
}

bool CSostituzioneFile::KeepAside(const QString& path, QString* error)
{
    if (!QFileInfo::exists(path))
        return true;
    const QString aside = AsideName(path);
    QFile::remove(aside);
    if (!QFile::rename(path, aside)) {
        *error = QStringLiteral("Impossibile sostituire l'immagine %1.").arg(QDir::toNativeSeparators(path));
        return false;
    }
    m_aside.emplace_back(path, aside);
    return true;
}

bool CSostituzioneFile::Replace(QSaveFile& file, QString* error)
{
    const QString path = file.fileName();
    if (!KeepAside(path, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = QStringLiteral("Impossibile scrivere l'immagine %1.").arg(QDir::toNativeSeparators(path));
        return false;
    }
    m_placed << path;
    return true;
}

bool CSostituzioneFile::Remove(const QString& path, QString* error)
{
    return KeepAside(path, error);
}

void CSostituzioneFile::Confirm()
{
    for (const auto& [path, aside] : m_aside) {
        if (QFileInfo(aside).isDir())
            QDir(aside).removeRecursively();
        else
            QFile::remove(aside);
    }
    m_aside.clear();
    m_placed.clear();
}

void CSostituzioneFile::Restore()
{
    for (const QString& path : std::as_const(m_placed))
        QFile::remove(path);
    for (auto it = m_aside.rbegin(); it != m_aside.rend(); ++it)
        QFile::rename(it->second, it->first);
    m_aside.clear();
    m_placed.clear();
}
