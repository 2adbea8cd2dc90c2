// Shows each catalogue dialog and view on a sample project and saves a
// picture of it: catalogue_screenshots <output folder>.

#include "desktop/catalogue/CAggiornamentoListiniDlg.h"
#include "desktop/catalogue/CCategorieView.h"
#include "desktop/catalogue/CCorrelazioniDlg.h"
#include "desktop/catalogue/CDefCampiCustomView.h"
#include "desktop/catalogue/CProdottiCustomDlg.h"
#include "desktop/catalogue/CProdottiFilesDlg.h"
#include "desktop/shell/controls/CSelPickerDlg.h"
#include "desktop/catalogue/CScontiProdottoView.h"
#include "desktop/catalogue/CProdottiView.h"
#include "desktop/catalogue/CProdottiGeneraleDlg.h"
#include "desktop/catalogue/CProdottiPrezziDlg.h"
#include <QPainter>
#include <QPushButton>
#include "desktop/shell/controls/CCheckTreeCtrl.h"
#include "desktop/catalogue/CCategoryDragTree.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/catalogue/CImportDatiDlg.h"
#include "desktop/catalogue/COrdinamentoIndiceDlg.h"
#include "desktop/catalogue/CTabellaProdottiView.h"
#include "desktop/catalogue/screenshots/ProductPagesScreenshots.h"
#include "desktop/catalogue/screenshots/ShotHelpers.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "platform/dao/CDaoDatabase.h"
#include "recordset/CCategorieLinSet.h"
#include "recordset/CProdottiLingueSet.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTreeWidget>
#include <QComboBox>
#include <QDir>
#include <QTabWidget>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTextStream>

namespace {

void Fill(CDaoDatabase& db)
{
    const QStringList categories = {"Sedie", "Tavoli", "Lampade"};
    CCategorieLinSet names(&db);
    names.m_bTracking = false;
    names.Open();
    for (int i = 0; i < categories.size(); ++i) {
        db.Execute("INSERT INTO Categorie (ID, IDCategoriaPadre, Ordine) VALUES (?, 0, ?)", {i + 1, i});
        names.AddNew();
        names.m_ID = i + 1;
        names.m_IDCategoria = i + 1;
        names.m_CodiceLingua = "it";
        names.m_Nome = categories.at(i);
        names.Update();
    }
    db.Execute("INSERT INTO Categorie (ID, IDCategoriaPadre, Ordine) VALUES (4, 1, 0)");
    names.AddNew();
    names.m_ID = 4;
    names.m_IDCategoria = 4;
    names.m_CodiceLingua = "it";
    names.m_Nome = "Sedie da giardino";
    names.Update();
    CProdottiLingueSet rows(&db);
    rows.m_bTracking = false;
    rows.Open();
    const QStringList products = {"Sedia Vienna", "Sedia Thonet", "Tavolo allungabile", "Lampada da terra",
                                  "Sgabello alto", "Poltrona relax", "Tavolino da caffè", "Lampada a sospensione",
                                  "Panca in rovere", "Sedia pieghevole", "Scrivania", "Applique", "Comodino", "Libreria"};
    for (int i = 0; i < products.size(); ++i) {
        db.Execute("INSERT INTO Prodotti (ID, Codice, Ordine, Attivo) VALUES (?, ?, ?, 1)",
                   {i + 1, QString("ART%1").arg(100 + i), (i + 1) * 10});
        db.Execute("INSERT INTO CategorieProdotti (ID, IDCategoria, IDProdotto) VALUES (?, ?, ?)", {i + 1, i % 3 + 1, i + 1});
        rows.AddNew();
        rows.m_ID = i + 1;
        rows.m_IDProdotto = i + 1;
        rows.m_CodiceLingua = "it";
        rows.m_Nome = products.at(i);
        rows.m_Prezzo = 19.99 + i * 10;
        rows.m_Prezzo2 = 18.5 + i * 10;
        rows.m_Prezzo3 = 17.25 + i * 10;
        rows.m_Prezzo4 = 16 + i * 10;
        rows.Update();
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QDir().mkpath(out);
    QTemporaryDir temp;
    const QString project = temp.path() + "/negozio";
    QDir().mkpath(project + "/db");
    QDir().mkpath(project + "/website/images");
    QFile::copy(QCoreApplication::applicationDirPath() + "/db/database.mdb", project + "/db/database.mdb");
    QFile::setPermissions(project + "/db/database.mdb", QFile::ReadOwner | QFile::WriteOwner);
    CDaoDatabase db;
    db.Open(project + "/db/database.mdb");
    Fill(db);

    const QString file = temp.path() + "/listino.txt";
    QFile sample(file);
    sample.open(QIODevice::WriteOnly);
    sample.write("1|SD001|Sedia Vienna|Sedia in faggio curvato|89,90|22\n"
                 "1|SD002|Sedia Thonet|Classica da bistrot|119.00|22\n"
                 "2|TV010|Tavolo allungabile|Rovere naturale|640,00|22\n"
                 "3|LP200|Lampada da terra|Ottone satinato|210.50|22\n");
    sample.close();

    {
        CImportDatiDlg dialog(db, project, "it", "it");
        dialog.SetFile(file);
        dialog.FieldList()->setCurrentRow(2);
        Save(dialog, out + "/catalogue-import-dati.png");
    }
    {
        CAggiornamentoListiniDlg dialog(db, project, "it", "it");
        dialog.ChooseCategory(1, "Sedie");
        dialog.ListCombo()->setCurrentIndex(0);
        Save(dialog, out + "/catalogue-aggiornamento-listini.png");
    }
    {
        COrdinamentoIndiceDlg dialog;
        dialog.Show("Ordinamento indice prodotti", 0, 14);
        dialog.SetPos(6);
        Save(dialog, out + "/catalogue-ordinamento-indice.png");
    }
    {
        CTabellaProdottiView view(db, "it", "it");
        view.resize(720, 420);
        view.show();
        Settle();
        view.Grid()->SetCurCell(2, 2);
        Save(view, out + "/catalogue-tabella-prodotti.png");
    }
    {
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(QColor(70, 130, 180));
        const QString pictureFile = temp.path() + "/sedie.bmp";
        picture.save(pictureFile, "BMP");
        CCategorieView view(db, project, "it", "it");
        view.resize(760, 460);
        view.show();
        Settle();
        view.Tree()->expandAll();
        view.Core().Select(1);
        view.Core().Click(1);
        QString error;
        view.Core().SetPicture(pictureFile, &error);
        view.Tree()->setCurrentItem(view.Tree()->topLevelItem(0));
        view.Core().Click(1);
        view.RefreshLanguage();
        // Show the editing state as a second click leaves it.
        view.Tree()->setCurrentItem(view.Tree()->topLevelItem(0));
        QTest::mouseClick(view.Tree()->viewport(), Qt::LeftButton, {},
                          view.Tree()->visualItemRect(view.Tree()->topLevelItem(0)).center());
        Save(view, out + "/catalogue-categorie.png");
    }
    {
        db.Execute("INSERT INTO Gruppi (ID, Nome) VALUES (1, 'Rivenditori')");
        db.Execute("INSERT INTO Clienti (ID, Nome, Cognome, RagioneSociale, TipoUtente) VALUES "
                   "(1, 'Mario', 'Rossi', '', 1), (2, 'Anna', 'Bianchi', 'Bianchi Arredi Srl', 3)");
        {
            CScontiProdottoViewCore rules(db, "it");
            rules.SelectEntry(1);
            rules.SetTick(CScontiProdottoViewCore::CategoryItem, 1, true);
            rules.SetTick(CScontiProdottoViewCore::CategoryItem, 2, true);
            rules.SetCurrentItem(CScontiProdottoViewCore::CategoryItem, 1);
            CScontiProdottoViewCore::Terms terms;
            terms.strSconto = "10+5";
            rules.SaveRecord(terms);
        }
        CScontiProdottoView view(db, "it", "it");
        view.resize(820, 560);
        view.show();
        Settle();
        view.List()->setCurrentRow(0);
        view.Tree()->setCurrentItem(view.Tree()->topLevelItem(0));
        Save(view, out + "/catalogue-sconti-categorie.png");
        view.List()->setCurrentRow(1);
        view.UpperTabs()->setCurrentIndex(1);
        Settle();
        view.LowerTabs()->setCurrentIndex(2);
        Save(view, out + "/catalogue-sconti-prodotti-agente.png");
    }
    db.Execute("INSERT INTO DefinizioneCampiCustom (ID, IDCategoria, Nome, Tipo, Lunghezza, Decimali) VALUES "
               "(1, 0, 'Materiale', 0, 30, 0), (2, 0, 'Garanzia (anni)', 1, 2, 0), (3, 1, 'Altezza seduta', 2, 5, 1), "
               "(4, 1, 'Peso massimo', 4, 6, 2), (5, 1, 'Data collaudo', 5, 8, 0), (6, 1, 'Codice fiscale produttore', 6, 16, 0)");
    {
        CDefCampiCustomView view(db, "it", "it");
        view.resize(560, 420);
        view.ChooseCategory(1, "Sedie");
        view.show();
        Settle();
        view.Grid()->SetCurCell(3, 1);
        Save(view, out + "/catalogue-definizione-campi-custom.png");
    }
    {
        QWidget host;
        host.setWindowTitle("Custom");
        auto* page = new CProdottiCustomDlg(db, &host);
        page->SetCategories({1});
        page->SetCampiCustom("Materiale|faggio curvato|Altezza seduta|46|Garanzia (anni)|2|");
        page->LoadCustomValues();
        host.resize(420, 300);
        page->resize(420, 300);
        Save(host, out + "/catalogue-prodotto-custom.png");
    }
    {
        const QString files = project + "/website/images/prodotti/files";
        QDir().mkpath(files);
        for (const char* name : {"p1_manuale.pdf", "m1_scheda.pdf", "p1_montaggi.doc", "d1_vecchio"})
            QFile(files + "/" + name).open(QIODevice::WriteOnly);
        QWidget host;
        auto* page = new CProdottiFilesDlg(project, &host);
        page->SetFolder(files);
        page->FillFileList(1);
        page->List()->setCurrentRow(1);
        host.resize(420, 320);
        page->resize(420, 320);
        Save(host, out + "/catalogue-prodotto-files.png");
    }
    {
        db.Execute("INSERT INTO Correlazioni (ID, Tipo1, ID1, Tipo2, ID2) VALUES (1, 1, 1, 0, 4), (2, 1, 3, 1, 1)");
        CCorrelazioniDlg dialog(db, 1, 1, "ART100", "it", "it");
        dialog.CategoryTree()->expandAll();
        Save(dialog, out + "/catalogue-correlazioni-categorie.png");
        dialog.Tabs()->setCurrentIndex(1);
        Save(dialog, out + "/catalogue-correlazioni-prodotti.png");
    }
    SaveProductPages(db, project, temp.path(), out);
    {
        // A product with a picture, texts and an offer.
        QImage picture(480, 360, QImage::Format_RGB32);
        picture.fill(QColor(245, 240, 230));
        QPainter painter(&picture);
        painter.setBrush(QColor(150, 90, 40));
        painter.drawRect(150, 60, 180, 40);
        painter.drawRect(160, 100, 20, 220);
        painter.drawRect(300, 100, 20, 220);
        painter.drawRect(150, 180, 180, 20);
        painter.end();
        const QString pictureFile = temp.path() + "/sedia.png";
        picture.save(pictureFile, "PNG");
        CProdottiView view(db, project, "it", "it");
        view.Core().Form().descrizioneBreve = "Sedia in faggio curvato, seduta in paglia di Vienna";
        view.Core().Form().descrizioneFattura = "Sedia Vienna faggio";
        view.Core().Form().descrizioneEstesa = "Struttura in faggio massello curvato a vapore.\nSeduta intrecciata a mano.";
        view.Core().Form().iva = 22.0;
        view.Core().Form().peso = 4.2;
        view.Core().Form().um = "pz";
        view.Core().Form().offerta = ProdottoForm::Checked;
        CProdottiViewCore::EnableOffer(view.Core().Form(), true, ProdottoForm::Percentage);
        view.Core().Form().sconto = 10.0;
        view.Core().Form().validitaDal = QDateTime(QDate(2026, 12, 1), QTime());
        view.Core().Form().validitaAl = QDateTime(QDate(2026, 12, 31), QTime());
        QString error;
        view.Core().Foto().Load(pictureFile, &error);
        view.Core().SaveRecord();
        view.Refresh();
        view.resize(860, 600);
        Save(view, out + "/catalogue-prodotti-generale.png");
        view.ShowTab(1);
        Save(view, out + "/catalogue-prodotti-prezzi.png");
        view.ShowTab(2);
        Save(view, out + "/catalogue-prodotti-immagine.png");
        view.ShowTab(5);
        Save(view, out + "/catalogue-prodotti-custom.png");
        view.ShowTab(0);
        view.CategoryButton()->click();
        Save(view, out + "/catalogue-prodotti-categorie.png");
    }
    db.Close();
    return 0;
}
