#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Outside tools that read and write zip archives, to check ours against.
namespace ZipTestTools {

struct ToolRun
{
    int exitCode = -1;
    QString output;
};

// Runs a program (no shell) in `folder`.
ToolRun Command(const QString& program, const QStringList& arguments, const QString& folder = {});
// Runs a Python script with the given arguments.
ToolRun Python(const QString& script, const QStringList& arguments = {});
// Bytes that do not compress, so sizes are predictable.
QByteArray Random(int size, quint32 seed);

} // namespace ZipTestTools
