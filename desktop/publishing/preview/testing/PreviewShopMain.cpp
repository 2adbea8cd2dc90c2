// Serves a shop folder through the preview listener on the loopback
// address, for the browser tests while they drive a shop without the shop
// server; prints the address it listens on, then serves until killed.
//   qtr_preview_shop <shop folder> [port]

#include "desktop/publishing/preview/CListenSocket.h"
#include "server/core/Dizionario.h"
#include "server/core/Generale.h"
#include "server/core/catalogo/Catalogo.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        err << "uso: qtr_preview_shop <cartella del negozio> [porta]\n";
        return 2;
    }
    // The classes register themselves when their library is loaded; using
    // them keeps the library linked.
    for (const QMetaObject* shopClass : {&Generale::staticMetaObject, &Dizionario::staticMetaObject,
                                         &Catalogo::staticMetaObject})
        if (qstrlen(shopClass->className()) == 0)
            return 1;
    // Amounts as the Italian demo shop writes them.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    CListenSocket server;
    server.SetPort(args.size() == 3 ? static_cast<quint16>(args.at(2).toUInt()) : 0);
    server.SetRootDir(args.at(1));
    if (server.StartListening() != 0) {
        err << "impossibile mettersi in ascolto: " << server.ErrorString() << '\n';
        return 1;
    }
    out << "http://127.0.0.1:" << server.ServerPort() << "/" << Qt::endl;
    return app.exec();
}
