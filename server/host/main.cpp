// qtr50d: serves shops to the public. See qtr50d.example.ini.
#include "platform/ado/CAdoConnectionPool.h"
#include "platform/mail/CMailQueue.h"
#include "server/host/CHostLog.h"
#include "server/host/CHostAccounts.h"
#include "server/host/CHostConfig.h"
#include "server/host/CHostServer.h"
#include "server/host/CShopDatabaseSetup.h"
#include "server/core/CacheNegozio.h"
#include "server/core/Funzioni.h"
#include "server/core/Qtr50Library.h"
#include "server/orders/OrdinePagamentoCarta.h"
#include "server/sms/SmsGateway.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <sqlite3.h>

#include <csignal>
#include <exception>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const kUsage =
    "Uso: qtr50d --config FILE [--check]\n"
    "     qtr50d --config FILE --add-shop CODICE CARTELLA\n"
    "     qtr50d --config FILE --set-password CODICE\n"
    "     qtr50d --config FILE --create-schema NEGOZIO\n"
    "     qtr50d --config FILE --load-shop NEGOZIO FILE.mdb\n"
    "\n"
    "Serve i negozi descritti nel file di configurazione (INI).\n"
    "  --config FILE  il file di configurazione (vedi qtr50d.example.ini)\n"
    "  --check        legge la configurazione, apre il database di ogni negozio,\n"
    "                 riferisce ed esce (0 se tutto va bene)\n"
    "  --add-shop CODICE CARTELLA\n"
    "                 aggiunge l'account di un negozio al database dell'host\n"
    "                 (archives/db) e ne prepara la cartella sotto archives/path\n"
    "  --set-password CODICE\n"
    "                 imposta la password con cui il programma del negozio si\n"
    "                 collega; la chiede al terminale o la legge dallo standard input\n"
    "  --create-schema NEGOZIO\n"
    "                 crea le tabelle del negozio nel database PostgreSQL che\n"
    "                 db/sqlserver.ini nomina (NEGOZIO: il nome che --check riporta)\n"
    "  --load-shop NEGOZIO FILE.mdb\n"
    "                 copia in quelle tabelle, vuote, le righe di un database del\n"
    "                 negozio SQLite (per esempio il suo db/database.mdb)\n"
    "  --help         questo testo\n"
    "  --version      la versione\n"
    "\n"
    "SIGTERM o SIGINT: smette di accettare connessioni, lascia finire le richieste\n"
    "in corso (fino a limits/drain_timeout secondi) ed esce con 0.\n";

void Print(FILE* to, const QString& text)
{
    fputs(text.toLocal8Bit().constData(), to);
    fputc('\n', to);
    fflush(to);
}

int Fail(const QString& message)
{
    Print(stderr, QStringLiteral("qtr50d: %1").arg(message));
    return 1;
}

int Accounts(const QString& configFile, const QString& addShop, const QString& folder, const QString& passwordFor)
{
    CHostConfig config;
    QString error;
    if (!config.LoadArchives(configFile, error))
        return Fail(error);
    try {
        const CHostAccounts accounts(config);
        if (!addShop.isEmpty()) {
            accounts.AddShop(addShop, folder);
            Print(stdout, QStringLiteral("Negozio %1 aggiunto in %2").arg(addShop, folder));
        }
        if (!passwordFor.isEmpty()) {
            const QString password = CHostAccounts::ReadPassword(passwordFor, &error);
            if (password.isEmpty())
                return Fail(error.isEmpty() ? QStringLiteral("Nessuna password") : error);
            accounts.SetPassword(passwordFor, password);
            Print(stdout, QStringLiteral("Password del negozio %1 impostata").arg(passwordFor));
        }
    } catch (const std::exception& failure) {
        return Fail(QString::fromUtf8(failure.what()));
    }
    return 0;
}

// --create-schema and --load-shop: the shop of the configuration by name.
int SetUpDatabase(const QString& configFile, const QString& shopName, const QString& rowsFile)
{
    CHostConfig config;
    QString error;
    if (!config.Load(configFile, error))
        return Fail(error);
    for (const CHostShopConfig& shop : config.shops) {
        if (shop.name.compare(shopName, Qt::CaseInsensitive) != 0)
            continue;
        const QString dbFolder = shop.dbFolder.isEmpty() ? QDir(shop.folder).filePath(QStringLiteral("db")) : shop.dbFolder;
        try {
            const CShopDatabaseSetup setup(dbFolder);
            if (rowsFile.isEmpty()) {
                setup.CreateSchema();
                Print(stdout, QStringLiteral("Tabelle del negozio %1 create").arg(shop.name));
            } else {
                const int rows = setup.LoadRows(rowsFile);
                Print(stdout, QStringLiteral("Negozio %1: %2 righe caricate da %3").arg(shop.name).arg(rows).arg(rowsFile));
            }
        } catch (const std::exception& failure) {
            return Fail(QString::fromUtf8(failure.what()));
        }
        return 0;
    }
    return Fail(QStringLiteral("Nessun negozio %1 nella configurazione").arg(shopName));
}

} // namespace

int main(int argc, char* argv[])
{
    // Blocked before any thread starts, so every thread inherits it and
    // only sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);
    // Without its memory statistics SQLite takes no process-wide lock on
    // every allocation; with it, page threads opening shop databases queue
    // on that one lock. Only possible before SQLite's first use.
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qtr50d"));
    QCoreApplication::setApplicationVersion(QStringLiteral("5.0"));
    const QStringList args = QCoreApplication::arguments().mid(1);
    QString configFile;
    bool check = false;
    QString addShop;
    QString addShopFolder;
    QString setPassword;
    QString schemaShop;
    QString loadShop;
    QString loadFile;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            fputs(kUsage, stdout);
            return 0;
        }
        if (arg == QLatin1String("--version")) {
            Print(stdout, QStringLiteral("qtr50d %1").arg(QCoreApplication::applicationVersion()));
            return 0;
        }
        if (arg == QLatin1String("--check")) {
            check = true;
        } else if (arg == QLatin1String("--add-shop") && i + 2 < args.size()) {
            addShop = args.at(++i);
            addShopFolder = args.at(++i);
        } else if (arg == QLatin1String("--create-schema") && i + 1 < args.size()) {
            schemaShop = args.at(++i);
        } else if (arg == QLatin1String("--load-shop") && i + 2 < args.size()) {
            loadShop = args.at(++i);
            loadFile = args.at(++i);
        } else if (arg == QLatin1String("--set-password") && i + 1 < args.size()) {
            setPassword = args.at(++i);
        } else if (arg == QLatin1String("--config") && i + 1 < args.size()) {
            configFile = args.at(++i);
        } else if (arg.startsWith(QLatin1String("--config="))) {
            configFile = arg.mid(9);
        } else {
            fputs(kUsage, stderr);
            return 2;
        }
    }
    if (configFile.isEmpty()) {
        fputs(kUsage, stderr);
        return 2;
    }

    Qtr50EnsureLoaded();
    CHostConfig config;
    QString error;
    if (!addShop.isEmpty() || !setPassword.isEmpty())
        return Accounts(configFile, addShop, addShopFolder, setPassword);
    if (!schemaShop.isEmpty())
        return SetUpDatabase(configFile, schemaShop, QString());
    if (!loadShop.isEmpty())
        return SetUpDatabase(configFile, loadShop, loadFile);
    // Pages open and close their connections many times a second; the
    // server keeps them open between pages. No file is replaced under it.
    CAdoConnectionPool::SetEnabled(true);
    // What pages read on every visit is kept until the shop's data change.
    CacheNegozio::SetEnabled(true);
    if (!config.Load(configFile, error))
        return Fail(error);
    Funzioni::ImpostaServerPosta(config.mailServer, config.mailPort);
    // Mail failures and other faults a page keeps from its visitor.
    CHostLog faultLog;
    if (!faultLog.Open(QString(), config.errorLog, error))
        return Fail(error);
    Funzioni::ImpostaRegistroErrori([&faultLog](const QString& message) { faultLog.Error(QString(), QStringLiteral("posta"), message); });
    CMailQueue::Settings mailSettings;
    mailSettings.folder = config.mailQueueFolder;
    mailSettings.server = config.mailServer;
    mailSettings.port = config.mailPort;
    mailSettings.log = [&faultLog](const QString& message) { faultLog.Error(QString(), QStringLiteral("posta"), message); };
    CMailQueue mailQueue(mailSettings);
    OrdinePagamentoCarta::ImpostaIndirizzoBanca(config.bankAddress);
    OrdinePagamentoCarta::ImpostaLimiti({config.cardOrdersPerSession, config.cardOrdersPerAddress,
                                         config.cardPasswordsWarning});
    SmsGateway::ImpostaAccount({config.smsGateway, config.smsUser, config.smsPassword, config.smsTimeoutSeconds});
    CHostServer server(config);
    if (!server.MakeShops(error))
        return Fail(error);
    if (check) {
        QStringList report;
        const bool ok = server.Check(report);
        for (const QString& line : report)
            Print(stdout, line);
        return ok ? 0 : 1;
    }
    if (!server.Start(error))
        return Fail(error);
    Funzioni::ImpostaCodaPosta(&mailQueue);
    mailQueue.Avvia();
    Print(stdout, QStringLiteral("qtr50d: in ascolto su http://%1:%2/").arg(config.listen).arg(server.Port()));

    int signalNumber = 0;
    sigwait(&stopSignals, &signalNumber);
    const bool drained = server.Drain();
    if (!drained) {
        Print(stderr, QStringLiteral("qtr50d: richieste ancora in corso allo scadere di %1 s; uscita")
                          .arg(config.drainSeconds));
        std::_Exit(0);   // the pages still running hold connections that cannot be closed under them
    }
    server.Stop();
    Funzioni::ImpostaCodaPosta(nullptr);
    mailQueue.Ferma();
    return 0;
}
