#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// A qtr50d started for a test from a configuration the test wrote, on a
// port of its own choosing (the configuration's port 0), stopped with
// SIGTERM.
class CQtr50dProcess
{
public:
    ~CQtr50dProcess();

    // The program beside the test executable.
    static QString Program();

    // False when it did not say it was listening within the time.
    bool Start(const QString& configFile);
    quint16 Port() const { return m_port; }
    qint64 Pid() const { return m_process.processId(); }

    // Sends SIGTERM and waits for the end; the exit code, or -1 when it
    // crashed or did not end in time.
    int Terminate(int timeoutMs = 30000);
    QByteArray StandardError();

    // Runs qtr50d to its end with the arguments; gives its exit code and
    // standard output.
    static int Run(const QStringList& arguments, QByteArray* output = nullptr);

private:
    QProcess m_process;
    quint16 m_port = 0;
};
