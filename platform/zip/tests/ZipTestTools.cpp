#include "ZipTestTools.h"

#include <QProcess>
#include <QRandomGenerator>

namespace ZipTestTools {

ToolRun Command(const QString& program, const QStringList& arguments, const QString& folder)
{
    QProcess process;
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(60000);
    ToolRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromUtf8(process.readAll());
    return run;
}

ToolRun Python(const QString& script, const QStringList& arguments)
{
    return Command(QStringLiteral("python3"), QStringList{QStringLiteral("-c"), script} + arguments);
}

QByteArray Random(int size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(generator.bounded(256));
    return bytes;
}

} // namespace ZipTestTools
