// The CTest fixture of the PostgreSQL test cluster:
//   qtr_pgtest_cluster start   starts the run's cluster and writes its state
//   qtr_pgtest_cluster stop    stops it and removes its folder
// A failed start fails every test that needs the cluster (a missing
// PostgreSQL among the causes): they never pass by being skipped.

#include "platform/testing/PgTestCluster.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    const QString stateFile = PgTestCluster::StateFile();
    if (args.size() != 2 || stateFile.isEmpty()) {
        err << "uso: qtr_pgtest_cluster start|stop (QTR_PGTEST_STATE: il file di stato)\n";
        return 2;
    }
    QString error;
    if (args.at(1) == QLatin1String("start")) {
        PgTestCluster::StopShared(stateFile);   // what an interrupted run left
        QDir().mkpath(QFileInfo(stateFile).path());
        // CTest is the parent: the cluster goes with it at the latest.
        error = PgTestCluster::StartShared(stateFile, ::getppid());
    } else if (args.at(1) == QLatin1String("stop")) {
        error = PgTestCluster::StopShared(stateFile);
    } else {
        error = QStringLiteral("comando sconosciuto: ") + args.at(1);
    }
    if (!error.isEmpty()) {
        err << error << '\n';
        return 1;
    }
    return 0;
}
