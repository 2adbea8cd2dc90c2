#include "exchange/scripts/CScriptExFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

CScriptExFiles::CScriptExFiles(const QString& folder) : m_folder(folder) {}

QStringList CScriptExFiles::Lines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder cp1252("windows-1252");
        text = cp1252.isValid() ? cp1252.decode(bytes) : QString::fromLatin1(bytes);
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool CScriptExFiles::Initialize()
{
    m_counted = 0;
    m_read = 0;
    m_files.clear();
    m_next = 0;
    QFileInfoList found = QDir(m_folder).entryInfoList({QStringLiteral("g*")}, QDir::Files);
    std::sort(found.begin(), found.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const QDateTime ta = a.lastModified();
        const QDateTime tb = b.lastModified();
        // Whole seconds, as the files' stamps are compared by an outside
        // system's clock; ties go by name.
        const qint64 sa = ta.toSecsSinceEpoch();
        const qint64 sb = tb.toSecsSinceEpoch();
        return sa != sb ? sa < sb : a.fileName() < b.fileName();
    });
    for (const QFileInfo& file : found) {
        if (file.size() == 0) {
            m_consumed << file.filePath();
            continue;
        }
        m_files << file.filePath();
        for (const QString& line : Lines(file.filePath()))
            m_counted += line.trimmed().isEmpty() ? 0 : 1;
    }
    if (m_counted == 0)
        return false;
    return OpenNext();
}

bool CScriptExFiles::OpenNext()
{
    while (m_next < m_files.size()) {
        m_current = m_files[m_next++];
        m_lines = Lines(m_current);
        m_line = 0;
        if (!m_lines.isEmpty())
            return true;
        m_consumed << m_current;
    }
    m_current.clear();
    return false;
}

QString CScriptExFiles::ReadLine()
{
    while (!m_current.isEmpty()) {
        if (m_line < m_lines.size()) {
            const QString line = m_lines[m_line++];
            if (!line.isEmpty())
                ++m_read;
            // A file whose last line was handed out has been read whole.
            if (m_line == m_lines.size())
                m_consumed << m_current;
            return line;
        }
        if (!OpenNext())
            break;
    }
    return QString();
}

void CScriptExFiles::RemoveConsumed()
{
    for (const QString& file : m_consumed)
        QFile::remove(file);
    m_consumed.clear();
}
