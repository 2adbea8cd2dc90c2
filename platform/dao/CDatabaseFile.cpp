#include "platform/dao/CDatabaseFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

namespace {

void SetError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

void CDatabaseFile::RemoveSideFiles(const QString& path)
{
    // A closed database has folded its log in; what is left of one belongs
    // to the file being replaced and must not be read with the new one.
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
}

bool CDatabaseFile::HasPendingLog(const QString& path)
{
    return QFileInfo(path + QStringLiteral("-wal")).size() > 0;
}

QString CDatabaseFile::TemporaryName(const QString& path)
{
    for (;;) {
        const QString name = path + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                                   QLatin1Char('0'));
        if (!QFileInfo::exists(name))
            return name;
    }
}

bool CDatabaseFile::RefusePendingLog(const QString& source, QString* error)
{
    if (!HasPendingLog(source))
        return false;
    SetError(error, QStringLiteral("Il database '%1' è ancora in uso: il suo registro non è stato scritto nel file.")
                        .arg(source));
    return true;
}

bool CDatabaseFile::Copy(const QString& source, const QString& target, QString* error)
{
    if (RefusePendingLog(source, error))
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        SetError(error, QStringLiteral("Impossibile leggere il database '%1': %2").arg(source, in.errorString()));
        return false;
    }
    // QSaveFile writes beside the target and renames over it on commit, so
    // the target is either the old file or the whole new one.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        SetError(error, QStringLiteral("Impossibile scrivere il database '%1': %2").arg(target, out.errorString()));
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            break;
        if (out.write(chunk) != chunk.size())
            break;
    }
    if (in.error() != QFileDevice::NoError || out.error() != QFileDevice::NoError) {
        const QString reason = in.error() != QFileDevice::NoError ? in.errorString() : out.errorString();
        out.cancelWriting();
        out.commit();
        SetError(error, QStringLiteral("Impossibile copiare il database '%1' in '%2': %3").arg(source, target, reason));
        return false;
    }
    RemoveSideFiles(target);
    if (!out.commit()) {
        SetError(error, QStringLiteral("Impossibile scrivere il database '%1': %2").arg(target, out.errorString()));
        return false;
    }
    return true;
}

bool CDatabaseFile::Replace(const QString& source, const QString& target, QString* error)
{
    if (!QFileInfo(source).isFile()) {
        SetError(error, QStringLiteral("Impossibile trovare il file '%1'.").arg(source));
        return false;
    }
    if (RefusePendingLog(source, error))
        return false;
    // An empty log and its index hold nothing of the source.
    RemoveSideFiles(source);
    RemoveSideFiles(target);
    // rename(2) puts the new file in place of the old in one step.
    std::error_code code;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(source).toStdString()),
                            std::filesystem::path(QFile::encodeName(target).toStdString()), code);
    if (code) {
        SetError(error, QStringLiteral("Impossibile sostituire il database '%1' con '%2': %3")
                            .arg(target, source, QString::fromLocal8Bit(code.message().c_str())));
        return false;
    }
    return true;
}

bool CDatabaseFile::Remove(const QString& path, QString* error)
{
    RemoveSideFiles(path);
    if (QFileInfo::exists(path) && !QFile::remove(path)) {
        SetError(error, QStringLiteral("Impossibile eliminare il file '%1'.").arg(path));
        return false;
    }
    return true;
}
