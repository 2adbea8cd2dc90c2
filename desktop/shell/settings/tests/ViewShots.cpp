// Pictures of the settings views as a merchant sees them, on a copy of the
// installation's reference database: scripts/screenshot-views.sh runs this
// under a virtual X server and writes one PNG per view.
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/settings/CImpostazioneParametriDlg.h"
#include "desktop/shell/settings/CLingueView.h"
#include "desktop/shell/settings/CParAziView.h"
#include "desktop/shell/settings/CParGenView.h"
#include "desktop/shell/settings/CValuteView.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QSqlQuery>
#include <QTimer>

#include <cstdio>

namespace {

void Shoot(QWidget* view, const QString& title, const QString& path)
{
    view->setWindowTitle(title);
    view->resize(view->sizeHint().expandedTo(QSize(640, 420)));
    view->show();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    view->grab().save(path);
    std::printf("%s\n", qPrintable(path));
    delete view;
}

// The program itself on a new project, each view opened by its command.
void ShootProgram(const QString& projects, const QString& out)
{
    CMessageBoxScript boxes;   // the notice on the new project
    CTindaApp tinda;
    tinda.m_strInstallFolder = QCoreApplication::applicationDirPath();
    tinda.m_strStartProject = projects + QStringLiteral("/negozio-nuovo");
    if (!tinda.InitInstance())
        return;
    tinda.GetMainFrame()->resize(1100, 720);
    const struct
    {
        int id;
        const char* file;
    } commands[] = {{ID_PARAMETRI_GENERALI, "program-parametri-generali.png"},
                    {ID_PARAMETRI_AZIENDALI, "program-parametri-aziendali.png"},
                    {ID_LINGUE, "program-lingue.png"},
                    {ID_VALUTE, "program-valute.png"}};
    for (const auto& command : commands) {
        tinda.GetMainFrame()->RunCommand(command.id);
        for (int i = 0; i < 20; ++i)
            QApplication::processEvents();
        const QString path = out + QLatin1Char('/') + QLatin1String(command.file);
        tinda.GetMainFrame()->grab().save(path);
        std::printf("%s\n", qPrintable(path));
        for (QMdiSubWindow* frame : tinda.GetMainFrame()->GetMdiArea()->subWindowList())
            frame->close();
    }
    tinda.GetMainFrame()->close();
    tinda.ExitInstance();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
    TempFolder temp;
    const QString folder = temp.Path() + QStringLiteral("/negozio/");
    QDir().mkpath(folder + QStringLiteral("db"));
    QDir().mkpath(folder + QStringLiteral("website/images"));
    const QString install = QCoreApplication::applicationDirPath();
    for (const char* file : {"database.mdb", "progettografico.mdb"}) {
        const QString target = folder + QStringLiteral("db/") + QLatin1String(file);
        QFile::copy(install + QStringLiteral("/db/") + QLatin1String(file), target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    CDaoDatabase db;
    db.Open(folder + QStringLiteral("db/database.mdb"));
    db.Execute(QStringLiteral("INSERT INTO Lingue (ID, Codice, Descrizione, IDValuta, Attivo) VALUES (2, 'en', 'English', 1, 1)"));
    CDaoDatabase graphic;
    graphic.Open(folder + QStringLiteral("db/progettografico.mdb"));

    Shoot(new CParGenView(db), QStringLiteral("Parametri generali"), out + QStringLiteral("/view-parametri-generali.png"));
    auto* options = new CParGenView(db);
    options->findChild<QTabWidget*>()->setCurrentIndex(1);
    Shoot(options, QStringLiteral("Parametri generali"), out + QStringLiteral("/view-parametri-generali-funzionalita.png"));
    auto* payments = new CParGenView(db);
    payments->findChild<QTabWidget*>()->setCurrentIndex(2);
    Shoot(payments, QStringLiteral("Parametri generali"), out + QStringLiteral("/view-parametri-generali-pagamento.png"));
    auto* technical = new CParGenView(db);
    technical->findChild<QTabWidget*>()->setCurrentIndex(3);
    Shoot(technical, QStringLiteral("Parametri generali"), out + QStringLiteral("/view-parametri-generali-tecnici.png"));
    Shoot(new CParAziView(db), QStringLiteral("Parametri aziendali"), out + QStringLiteral("/view-parametri-aziendali.png"));
    Shoot(new CLingueView(db), QStringLiteral("Lingue"), out + QStringLiteral("/view-lingue.png"));
    Shoot(new CValuteView(db), QStringLiteral("Valute"), out + QStringLiteral("/view-valute.png"));
    // A block of site code with one parameter of each kind.
    const int block = 9001;
    const char* const rows[][5] = {{"1", "Titolo", "0", "Benvenuti nel negozio", ""},
                                   {"2", "Logo", "2", "/images/logo.jpg", ""},
                                   {"3", "Mostra offerte", "3", "1", ""},
                                   {"4", "Colonne", "4", "1", "Una,Due,Tre"}};
    for (const auto& row : rows)
        graphic.Execute(QStringLiteral("INSERT INTO Parametri (ID, IDCodiceASP, Nome, Descrizione, Ordine, Tipo, Valore, Opzioni) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                        {9000 + QString::fromLatin1(row[0]).toInt(), block, QString::fromUtf8(row[1]),
                         QStringLiteral("Parametro ") + QString::fromUtf8(row[1]), QString::fromLatin1(row[0]).toInt(),
                         QString::fromLatin1(row[2]).toInt(), QString::fromUtf8(row[3]), QString::fromUtf8(row[4])});
    Shoot(new CImpostazioneParametriDlg(graphic, db, block, folder), QStringLiteral("Impostazione parametri"),
          out + QStringLiteral("/view-impostazione-parametri.png"));
    graphic.Close();
    db.Close();
    ShootProgram(temp.Path(), out);
    return 0;
}
