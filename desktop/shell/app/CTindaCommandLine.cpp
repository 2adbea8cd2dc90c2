#include "desktop/shell/app/CTindaCommandLine.h"

#include "desktop/shell/app/CAboutDlg.h"

CTindaCommandLine::CTindaCommandLine(const QStringList& args)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            m_action = PrintHelp;
            return;
        }
        if (arg == QLatin1String("--version") || arg == QLatin1String("-v")) {
            m_action = PrintVersion;
            return;
        }
        if (arg == QLatin1String("--project") && i + 1 < args.size()) {
            m_strProject = args.at(++i);
        } else if (arg.startsWith(QLatin1String("--project="))) {
            m_strProject = arg.mid(10);
        } else if (arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-platform")) {
            m_action = Error;
            m_strError = QStringLiteral("tinda: opzione sconosciuta: %1\n").arg(arg);
            return;
        } else if (arg == QLatin1String("-platform")) {
            ++i;   // Qt's own option, taken by the application object
        } else {
            m_strProject = arg;
        }
    }
}

QString CTindaCommandLine::Output() const
{
    switch (m_action) {
    case PrintHelp: return HelpText();
    case PrintVersion: return VersionText();
    case Error: return m_strError + HelpText();
    case Run: break;
    }
    return QString();
}

QString CTindaCommandLine::HelpText()
{
    return QStringLiteral(
        "Uso: tinda [opzioni] [cartella del progetto]\n"
        "\n"
        "Quintaro: gestione del negozio online.\n"
        "\n"
        "  cartella del progetto   apre il progetto; se la cartella è vuota o non esiste\n"
        "                          vi crea un nuovo progetto\n"
        "  --project CARTELLA      come sopra\n"
        "  -h, --help              mostra questo aiuto ed esce\n"
        "  -v, --version           mostra la versione ed esce\n"
        "\n"
        "Senza cartella si apre il progetto usato per ultimo.\n");
}

QString CTindaCommandLine::VersionText()
{
    return QStringLiteral("Quintaro %1 %2\n").arg(CAboutDlg::VersionText(), CAboutDlg::BuildText());
}
