#pragma once

#include <QString>
#include <QStringList>

// What tinda is asked on its command line. It is read before any window
// system is touched, so "--help" and "--version" answer without a display.
class CTindaCommandLine
{
public:
    enum Action { Run, PrintHelp, PrintVersion, Error };

    // args as main receives them, the program's name first.
    explicit CTindaCommandLine(const QStringList& args);

    Action GetAction() const { return m_action; }
    // The project to open at start (made there when the folder is empty or
    // missing); empty for the recent list.
    QString ProjectFolder() const { return m_strProject; }
    // What to print for PrintHelp, PrintVersion and Error.
    QString Output() const;

    static QString HelpText();
    static QString VersionText();

private:
    Action m_action = Run;
    QString m_strProject;
    QString m_strError;
};
