#include "desktop/publishing/templateupload/CTemplateUploadState.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {

// Stamps keep whole seconds: the file's time is cut to them before the two
// are compared, or every file would look newer than its own stamp.
QDateTime ToSecond(const QDateTime& time)
{
    return QDateTime::fromSecsSinceEpoch(time.toSecsSinceEpoch());
}

bool IsSitePath(const QString& path, const QString& websiteFolder)
{
    const QString site = QDir::cleanPath(websiteFolder) + QLatin1Char('/');
    if (!path.startsWith(site) || QDir::cleanPath(path) != path)
        return false;
    const QString relative = path.mid(site.size());
    return relative.startsWith(QLatin1String("asp/")) || relative.startsWith(QLatin1String("images/"));
}

} // namespace

void CTemplateUploadState::Load(const QString& stateFile, const QString& websiteFolder)
{
    m_stamps.clear();
    QFile file(stateFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    QString path;
    while (in.readLineInto(&path)) {
        if (path.isEmpty())
            break;
        QString stamp;
        in.readLineInto(&stamp);
        if (IsSitePath(path, websiteFolder))
            m_stamps.insert(path, stamp);
    }
}

bool CTemplateUploadState::Save(const QString& stateFile) const
{
    QSaveFile file(stateFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray text;
    for (auto it = m_stamps.cbegin(); it != m_stamps.cend(); ++it)
        text += it.key().toUtf8() + '\n' + it.value().toUtf8() + '\n';
    return file.write(text) == text.size() && file.commit();
}

bool CTemplateUploadState::IsUpToDate(const QString& path, const QDateTime& modified) const
{
    const auto it = m_stamps.constFind(path);
    if (it == m_stamps.cend())
        return false;
    const QDateTime stamped = ReadStamp(*it);
    return stamped.isValid() && stamped >= ToSecond(modified);
}

void CTemplateUploadState::Stamp(const QString& path, const QDateTime& modified)
{
    m_stamps.insert(path, MakeStamp(modified));
}

QString CTemplateUploadState::MakeStamp(const QDateTime& modified)
{
    return modified.toLocalTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
}

QDateTime CTemplateUploadState::ReadStamp(const QString& stamp)
{
    if (stamp.size() < 19)
        return {};
    const auto number = [&](int from, int length) {
        bool ok = false;
        const int value = stamp.mid(from, length).toInt(&ok);
        return ok ? value : -1;
    };
    const QDate date(number(6, 4), number(3, 2), number(0, 2));
    const QTime time(number(11, 2), number(14, 2), number(stamp.size() - 2, 2));
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}
