// Build-time tool: writes the installation's reference databases from the
// schema description and the rows under the data folder.
//   qtr_make_refdb <data folder> <output folder>

#include "platform/dao/CDaoException.h"
#include "recordset/schema/refdb/ReferenceDatabaseWriter.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "uso: qtr_make_refdb <cartella dati> <cartella di uscita>\n";
        return 2;
    }
    try {
        for (const char* name : {"database.mdb", "progettografico.mdb", "modellografico.mdb"}) {
            ReferenceDatabaseWriter writer(args.at(1));
            writer.Write(args.at(2) + QLatin1Char('/') + QLatin1String(name));
        }
    } catch (const CDaoException& e) {
        err << e.GetErrorMessage() << '\n';
        return 1;
    }
    return 0;
}
