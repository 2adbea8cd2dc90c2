// Makes the demo shop: the shop's pages, a database with the demo
// catalogue and its pictures, in one folder ready to serve.
//   qtr_make_demoshop <shop folder> [--data FILE] [--db database.mdb] [--pages FOLDER]
// Without options the installation's files beside the program are used.

#include "platform/dao/CDaoException.h"
#include "server/demo/DemoShopData.h"
#include "server/demo/DemoShopMaker.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    // Pictures are drawn without a screen.
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Crea il negozio dimostrativo in una cartella."));
    parser.addHelpOption();
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("Il file dei dati del catalogo."), QStringLiteral("file"));
    const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("Il database di riferimento."), QStringLiteral("file"));
    const QCommandLineOption pages(QStringLiteral("pages"), QStringLiteral("La cartella delle pagine del negozio."),
                                   QStringLiteral("cartella"));
    parser.addOptions({data, db, pages});
    parser.addPositionalArgument(QStringLiteral("cartella"), QStringLiteral("La cartella del negozio da creare."));
    parser.process(app);
    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 1) {
        err << parser.helpText();
        return 2;
    }
    DemoShopMaker::Sources sources = DemoShopMaker::Installed(QCoreApplication::applicationDirPath());
    if (parser.isSet(data))
        sources.data = parser.value(data);
    if (parser.isSet(db))
        sources.referenceDatabase = parser.value(db);
    if (parser.isSet(pages))
        sources.pages = parser.value(pages);
    try {
        DemoShopMaker::Make(sources, parser.positionalArguments().first());
    } catch (const DemoDataError& e) {
        err << e.what() << '\n';
        return 1;
    } catch (const CDaoException& e) {
        err << e.GetErrorMessage() << '\n';
        return 1;
    }
    return 0;
}
