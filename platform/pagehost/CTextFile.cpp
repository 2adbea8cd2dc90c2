#include "platform/pagehost/CTextFile.h"

#include <QFile>
#include <QStringDecoder>

bool CTextFile::Read(const QString& path, QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    text = utf8.decode(bytes);
    if (!utf8.hasError())
        return true;
    QStringDecoder windows("windows-1252");
    text = windows.isValid() ? QString(windows.decode(bytes)) : QString::fromLatin1(bytes);
    return true;
}
