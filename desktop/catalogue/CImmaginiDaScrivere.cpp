#include "desktop/catalogue/CImmaginiDaScrivere.h"

#include <QDir>
#include <QSaveFile>

namespace {

QString CannotWrite(const QString& path)
{
    return QStringLiteral("Impossibile scrivere l'immagine %1.").arg(QDir::toNativeSeparators(path));
}

} // namespace

CImmaginiDaScrivere::CImmaginiDaScrivere() = default;

CImmaginiDaScrivere::~CImmaginiDaScrivere()
{
    for (auto& file : m_files)
        file->cancelWriting();
}

bool CImmaginiDaScrivere::Add(const QImage& image, const QString& path, QString* error)
{
    auto file = std::make_unique<QSaveFile>(path);
    if (image.isNull() || !file->open(QIODevice::WriteOnly)
        || !image.convertToFormat(QImage::Format_RGB32).save(file.get(), "JPG", 90)) {
        file->cancelWriting();
        if (error)
            *error = CannotWrite(path);
        return false;
    }
    m_files.push_back(std::move(file));
    return true;
}

bool CImmaginiDaScrivere::Commit(QString* error)
{
    bool all = true;
    for (auto& file : m_files) {
        const QString path = file->fileName();
        if (!file->commit() && all) {
            all = false;
            if (error)
                *error = CannotWrite(path);
        }
    }
    m_files.clear();
    return all;
}
