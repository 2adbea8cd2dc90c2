// The product card on a project of 100,000 products (each with its Italian
// row, its search words and a category link): the time from the command
// (the view made) to its first product shown, and from one product to the
// next, beside the time to open the project as the program does. Each run
// shows the card cold (the first view on a database just opened, as after
// the project's opening) and warm (a second view on the same connection);
// next is cold for the first move of a new view and warm for the moves
// after it. Prints min / median / max of the runs.
// Targets: first showing under 300 ms, next product under 50 ms.

#include "desktop/catalogue/CProdottiView.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/projects/CProjectOpener.h"
#include "desktop/shell/projects/IProjectUi.h"
#include "platform/dao/CDaoDatabase.h"
#include "bench/figures/CBenchFigures.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

constexpr int kProducts = 100000;
constexpr int kMoves = 200;
constexpr int kRuns = 3;

// Opening runs without questions: no lock, no upgrade, no import.
class QuietUi : public IProjectUi
{
public:
    QWidget* DialogParent() override { return nullptr; }
    bool WaitForSyncLock(const QString&) override { return true; }
    CProjectUpgrade::Result RunUpgrade(CProjectUpgrade&) override { return CProjectUpgrade::Upgraded; }
    bool ChooseProject(const QStringList&, bool*, QString*) override { return false; }
    bool AskNewProject(const QString&, QString*) override { return false; }
    void SetTitle(const QString&) override {}
    bool LoadLanguages() override { return true; }
    void ResetLanguages() override {}
    void OpenLanguagesView() override {}
    bool RunExternalImport(const QString&) override { return true; }
    bool CanRunExternalImport() const override { return false; }
};

struct Project
{
    QTemporaryDir dir;
    QString folder = dir.path() + QStringLiteral("/negozio");
    CDaoDatabase db;

    Project()
    {
        QDir().mkpath(folder + QStringLiteral("/db"));
        QDir().mkpath(folder + QStringLiteral("/website/images/prodotti/th"));
        const QString path = folder + QStringLiteral("/db/database.mdb");
        QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/db/database.mdb"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        db.Open(path);
        db.BeginTrans();
        db.Execute(QStringLiteral("INSERT INTO Categorie (ID, IDCategoriaPadre, Ordine) VALUES (1, 0, 1)"));
        for (int id = 1; id <= kProducts; ++id) {
            db.Execute(QStringLiteral("INSERT INTO Prodotti (ID, Codice, Ordine, Attivo, IVA) VALUES (?, ?, ?, 1, 22)"),
                       {id, QStringLiteral("P%1").arg(id), id});
            db.Execute(QStringLiteral("INSERT INTO ProdottiLingue (ID, IDProdotto, CodiceLingua, Nome, DescrizioneBreve, "
                                      "Prezzo) VALUES (?, ?, 'it', ?, ?, ?)"),
                       {id, id, QStringLiteral("Prodotto %1").arg(id), QStringLiteral("Descrizione %1").arg(id),
                        10.0 + id % 100});
            db.Execute(QStringLiteral("INSERT INTO ParoleChiave (ID, Tipo, IDRecord, CodiceLingua, Keywords) VALUES "
                                      "(?, 1, ?, 'it', ?)"),
                       {id, id, QStringLiteral("P%1/prodotto").arg(id)});
            db.Execute(QStringLiteral("INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (?, 1, ?)"),
                       {id, id});
        }
        db.CommitTrans();
        db.Close();
    }
};

Project& TheProject()
{
    static Project project;
    return project;
}

double Ms(const QElapsedTimer& timer) { return double(timer.nsecsElapsed()) / 1e6; }

bool OpenProject(Project& project, CBenchFigures& figures)
{
    QuietUi ui;
    QString folder = project.folder;
    QElapsedTimer timer;
    timer.start();
    CProjectOpener opener(project.db, ui, QCoreApplication::applicationDirPath());
    const bool opened = opener.OpenProject(folder);
    figures.Add("open", Ms(timer));
    return opened;
}

// The view made and its first product on screen.
std::unique_ptr<CProdottiView> ShowCard(Project& project, CBenchFigures& figures, const std::string& series)
{
    QElapsedTimer timer;
    timer.start();
    auto view = std::make_unique<CProdottiView>(project.db, project.folder, QStringLiteral("it"), QStringLiteral("it"));
    view->resize(860, 600);
    view->show();
    QApplication::processEvents();
    figures.Add(series, Ms(timer));
    if (view->CodiceEdit()->text() != QStringLiteral("P1") || view->Core().RecordCount() != kProducts)
        return nullptr;
    return view;
}

double Next(CProdottiView& view, int moves)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < moves; ++i) {
        view.OnViewCommand(ID_RECORD_NEXT);
        QApplication::processEvents();
    }
    return Ms(timer) / moves;
}

// One run: the project opened, the card cold and its first move, the moves
// after it, then a second card on the same connection.
bool Run(Project& project, CBenchFigures& figures)
{
    if (!OpenProject(project, figures))
        return false;
    {
        auto cold = ShowCard(project, figures, "first cold");
        if (!cold)
            return false;
        figures.Add("next cold", Next(*cold, 1));
        figures.Add("next warm", Next(*cold, kMoves));
        if (cold->CodiceEdit()->text() != QStringLiteral("P%1").arg(kMoves + 2))
            return false;
    }
    {
        auto warm = ShowCard(project, figures, "first warm");
        if (!warm)
            return false;
    }
    project.db.Close();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    Project& project = TheProject();
    CBenchFigures figures;
    for (int run = 0; run < kRuns; ++run) {
        if (!Run(project, figures)) {
            std::printf("run %d: the card did not show or move as it should\n", run + 1);
            return 1;
        }
    }
    std::printf("%d products, min / median / max of %d runs\n", kProducts, kRuns);
    figures.PrintSeries("project opened", "open", "%.1f", "ms");
    figures.PrintSeries("first showing, cold", "first cold", "%.1f", "ms (target < 300)");
    figures.PrintSeries("first showing, warm", "first warm", "%.1f", "ms (target < 300)");
    figures.PrintSeries("next product, cold (first move)", "next cold", "%.2f", "ms (target < 50)");
    figures.PrintSeries("next product, warm", "next warm", "%.2f", "ms (target < 50)");
    return 0;
}
