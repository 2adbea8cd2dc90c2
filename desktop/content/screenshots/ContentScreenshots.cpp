// Shows each content editor on a sample project and saves a picture of it:
// content_screenshots <output folder>.

#include "desktop/content/CArgomentiView.h"
#include "desktop/content/CArticoliFilesDlg.h"
#include "desktop/content/CArticoliLinkDlg.h"
#include "desktop/content/CArticoliView.h"
#include "desktop/content/CBannerView.h"
#include "desktop/content/CForumView.h"
#include "desktop/content/CModuliView.h"
#include "desktop/content/CSezioniView.h"
#include "desktop/content/CModelliDlg.h"
#include "desktop/content/CTabellaArticoliView.h"
#include "desktop/content/CChiSiamoDlg.h"
#include "desktop/content/CDizionarioView.h"
#include "desktop/shell/controls/CGifWriter.h"
#include "desktop/shell/controls/tests/ShopTestDb.h"
#include "recordset/CArgomentiLingueSet.h"
#include "recordset/CArticoliLinSet.h"
#include "recordset/CArticoliLinkLingueSet.h"
#include "recordset/CArticoliLinkSet.h"
#include "recordset/CChiSiamoSet.h"
#include "recordset/CModuliCampiLingueSet.h"
#include "recordset/CModuliLingueSet.h"
#include "recordset/CModuliSet.h"
#include "recordset/CSezioniLingueSet.h"
#include "recordset/CDizionarioLinSet.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPainter>
#include <QTabBar>
#include <QTreeWidgetItemIterator>

#include "desktop/catalogue/CCategoryDragTree.h"

#include "desktop/shell/controls/CGridCtrl.h"

namespace {

void AddText(CDaoDatabase& db, qint32 id, qint32 entry, const QString& language, const QString& text)
{
    CDizionarioLinSet texts(&db);
    texts.m_bTracking = false;
    texts.Open();
    texts.AddNew();
    texts.m_ID = id;
    texts.m_IDCodice = entry;
    texts.m_CodiceLingua = language;
    texts.m_Testo = text;
    texts.Update();
    texts.Close();
}

void Fill(ShopTestDb& shop)
{
    const QStringList codes = {"SALUTO", "CARRELLO", "CHECKOUT", "SPEDIZIONE", "PRIVACY"};
    const QStringList texts = {"Benvenuto nel nostro negozio!", "Il tuo carrello", "Completa l'ordine",
                               "Spedizione gratuita sopra i 50 euro", "Informativa sulla privacy"};
    for (int i = 0; i < codes.size(); ++i) {
        shop.Row(QStringLiteral("Dizionario"), {{"ID", i + 1}, {"Codice", codes.at(i)}});
        AddText(shop.Db(), i + 1, i + 1, QStringLiteral("it"), texts.at(i));
    }
    shop.Row(QStringLiteral("Configurazione"), {{"ID", 1}, {"DimLogo", 200}});
    CChiSiamoSet company(&shop.Db());
    company.m_bTracking = false;
    company.Open();
    company.AddNew();
    company.m_ID = 1;
    company.m_CodiceLingua = QStringLiteral("it");
    company.m_Testo = QStringLiteral("Dal 1950 la Calzoleria Rossi produce scarpe a mano a Vigevano.\n"
                                     "Spediamo in tutta Europa in 48 ore.");
    company.Update();
    company.Close();

    QImage logo(400, 120, QImage::Format_RGB32);
    logo.fill(QColor(250, 245, 230));
    QPainter painter(&logo);
    painter.setPen(QColor(150, 30, 30));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 40, QFont::Bold));
    painter.drawText(logo.rect(), Qt::AlignCenter, QStringLiteral("ROSSI"));
    painter.end();
    QString error;
    QDir().mkpath(shop.Folder() + QStringLiteral("website/images/it"));
    CGifWriter::Save(logo.scaled(200, 60), shop.Folder() + QStringLiteral("website/images/it/su_logo.gif"), &error);

    shop.Row(QStringLiteral("TipoBanner"), {{"ID", 1}, {"Codice", "TOP"}, {"Descrizione", "Testata"}});
    shop.Row(QStringLiteral("TipoBanner"), {{"ID", 2}, {"Codice", "LAT"}, {"Descrizione", "Laterale"}});
    const QStringList banners = {"SALDI", "NATALE", "SPEDIZIONE"};
    for (int i = 0; i < banners.size(); ++i)
        shop.Row(QStringLiteral("Banner"), {{"ID", i + 1}, {"Codice", banners.at(i)}, {"Tipo", 1 + i % 2},
                                           {"Link", "https://www.rossi.example/saldi"}, {"ComparsePreviste", 5000},
                                           {"ComparseEffettuate", 1234}});
    QImage banner(468, 60, QImage::Format_RGB32);
    banner.fill(QColor(200, 32, 32));
    painter.begin(&banner);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 24, QFont::Bold));
    painter.drawText(banner.rect(), Qt::AlignCenter, QStringLiteral("SALDI -30%"));
    painter.end();
    QDir().mkpath(shop.Folder() + QStringLiteral("website/images/banner"));
    CGifWriter::Save(banner, shop.Folder() + QStringLiteral("website/images/banner/1.gif"), &error);
}

template <class TSet>
void Texts(CDaoDatabase& db, qint32 id, const std::function<void(TSet&)>& fill)
{
    TSet set(&db);
    set.m_bTracking = false;
    set.Open();
    set.AddNew();
    set.m_ID = id;
    fill(set);
    set.Update();
}

// Sections, topics, articles with a link, a form with fields, forum posts.
void FillContent(ShopTestDb& shop)
{
    CDaoDatabase& db = shop.Db();
    const QStringList sections = {"Notizie", "Eventi", "Guide", "Cura delle scarpe", "Taglie"};
    const int parents[] = {0, 0, 0, 3, 3};
    for (int i = 0; i < sections.size(); ++i) {
        shop.Row(QStringLiteral("Sezioni"), {{"ID", i + 1}, {"IDSezionePadre", parents[i]}, {"Ordine", i + 1},
                                            {"Attivo", 1}, {"Codice", i == 0 ? "NEWS" : ""}});
        Texts<CSezioniLingueSet>(db, i + 1, [&](CSezioniLingueSet& row) {
            row.m_IDSezione = i + 1;
            row.m_CodiceLingua = QStringLiteral("it");
            row.m_Nome = sections.at(i);
            row.m_Descrizione = QStringLiteral("Articoli su: ") + sections.at(i);
        });
    }
    const QStringList titles = {"Nuova collezione primavera", "Fiera di Vigevano 2026", "Come lucidare il cuoio",
                                "Scegliere la taglia giusta", "Saldi estivi", "Resi gratuiti",
                                "Intervista al maestro calzolaio", "Scarpe e pioggia", "Il nostro laboratorio",
                                "Spedizioni in Europa", "Cuoio vegetale", "Suole in gomma", "Fatto a mano",
                                "Regali di Natale"};
    for (int i = 0; i < titles.size(); ++i) {
        shop.Row(QStringLiteral("Articoli"), {{"ID", i + 1}, {"Codice", QStringLiteral("ART%1").arg(i + 1)},
                                             {"Ordine", i + 1}, {"Attivo", i % 4 ? 1 : 0}, {"FlagStampa", 2},
                                             {"FlagSegnalazione", 1}, {"FlagVoto", 0},
                                             {"DataPubblicazione", QStringLiteral("2026-0%1-1%2 09:00:00")
                                                                       .arg(1 + i % 9).arg(i % 10)},
                                             {"PubblicazioneDallaData", "2026-01-01 00:00:00"}});
        Texts<CArticoliLinSet>(db, i + 1, [&](CArticoliLinSet& row) {
            row.m_IDArticolo = i + 1;
            row.m_CodiceLingua = QStringLiteral("it");
            row.m_Titolo = titles.at(i);
            row.m_Autore = QStringLiteral("Redazione");
            row.m_Sottotitolo = QStringLiteral("Dalla bottega Rossi");
            row.m_Testo = QStringLiteral("Ogni paio nasce sul banco del laboratorio, cucito a mano.");
        });
        shop.Row(QStringLiteral("SezioniArticoli"), {{"ID", i + 1}, {"IDSezione", 1 + i % 3}, {"IDArticolo", i + 1}});
    }
    Texts<CArticoliLinkSet>(db, 1, [](CArticoliLinkSet& row) {
        row.m_IDArticolo = 1;
        row.m_URL = QStringLiteral("https://www.vigevano.example/fiera");
        row.m_Ordine = 1;
        row.m_Esterno = true;
    });
    Texts<CArticoliLinkLingueSet>(db, 1, [](CArticoliLinkLingueSet& row) {
        row.m_IDLink = 1;
        row.m_CodiceLingua = QStringLiteral("it");
        row.m_Titolo = QStringLiteral("La fiera");
    });
    shop.Row(QStringLiteral("Template"), {{"ID", 1}, {"Codice", "NEWS"}, {"Descrizione", "Notizia con foto"}});
    Texts<CModuliSet>(db, 1, [](CModuliSet& row) {
        row.m_Codice = QStringLiteral("CONTATTI");
        row.m_Email = QStringLiteral("info@rossi.example");
        row.m_OggettoMail = QStringLiteral("Richiesta dal sito");
    });
    Texts<CModuliLingueSet>(db, 1, [](CModuliLingueSet& row) {
        row.m_IDModulo = 1;
        row.m_CodiceLingua = QStringLiteral("it");
        row.m_Nome = QStringLiteral("Contattaci");
        row.m_Descrizione = QStringLiteral("Scrivici: rispondiamo entro un giorno.");
    });
    const QStringList fields = {"Nome", "Telefono", "Data di nascita", "Taglia", "Privacy"};
    const int kinds[] = {0, 1, 5, 13, 11};
    const int lengths[] = {50, 12, 8, 0, 0};
    for (int i = 0; i < fields.size(); ++i) {
        shop.Row(QStringLiteral("ModuliCampi"), {{"ID", i + 1}, {"IDModulo", 1}, {"Ordine", i + 1}, {"Tipo", kinds[i]},
                                                {"Lunghezza", lengths[i]}, {"Decimali", 0}});
        Texts<CModuliCampiLingueSet>(db, i + 1, [&](CModuliCampiLingueSet& row) {
            row.m_IDCampo = i + 1;
            row.m_CodiceLingua = QStringLiteral("it");
            row.m_Nome = fields.at(i);
        });
    }
    const QStringList topics = {"Assistenza", "Ordini e spedizioni", "Resi", "Chiacchiere"};
    const int topicKinds[] = {0, 0, 0, 1};
    const int topicParents[] = {0, 1, 1, 0};
    for (int i = 0; i < topics.size(); ++i) {
        shop.Row(QStringLiteral("Argomenti"), {{"ID", i + 1}, {"Tipo", topicKinds[i]},
                                              {"IDArgomentoPadre", topicParents[i]}, {"Ordine", i + 1}});
        Texts<CArgomentiLingueSet>(db, i + 1, [&](CArgomentiLingueSet& row) {
            row.m_IDArgomento = i + 1;
            row.m_CodiceLingua = QStringLiteral("it");
            row.m_Nome = topics.at(i);
        });
    }
    shop.Row(QStringLiteral("InterventiForum"),
             {{"ID", 1}, {"IDArgomento", 2}, {"IDIntervento", 1}, {"Data", "2026-03-02 00:00:00"},
              {"Ora", "1899-12-30 18:42:00"}, {"Mittente", "Giulia B."}, {"EmailMittente", "giulia@example.com"},
              {"Oggetto", "Tempi di consegna per la Francia?"},
              {"Testo", "Buongiorno, quanto impiega un ordine per Lione? Grazie"}, {"Attivo", 0}});
}

void Shoot(QWidget& widget, const QString& file)
{
    widget.resize(820, 520);
    widget.show();
    QApplication::processEvents();
    widget.grab().save(file);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    ShopTestDb shop;
    Fill(shop);
    {
        CDizionarioView view(shop.Db(), QStringLiteral("it"), QStringLiteral("it"));
        view.List()->setCurrentRow(3);
        emit view.List()->itemClicked(view.List()->item(3));
        Shoot(view, out + QStringLiteral("/dizionario.png"));
    }
    {
        CChiSiamoDlg page(shop.Db(), shop.Folder(), QStringLiteral("it"));
        Shoot(page, out + QStringLiteral("/chisiamo.png"));
    }
    {
        CBannerView view(shop.Db(), shop.Folder());
        view.List()->setCurrentRow(0);
        emit view.List()->itemClicked(view.List()->item(0));
        Shoot(view, out + QStringLiteral("/banner.png"));
    }
    FillContent(shop);
    const QString it = QStringLiteral("it");
    {
        CArticoliView view(shop.Db(), shop.Folder(), it, it);
        view.OnViewCommand(32781);   // the second article
        Shoot(view, out + QStringLiteral("/articoli.png"));
        view.Tabs()->setCurrentIndex(1);
        Shoot(view, out + QStringLiteral("/articoli-avanzate.png"));
        view.OnViewCommand(32779);
        view.Tabs()->setCurrentIndex(2);
        Shoot(view, out + QStringLiteral("/articoli-link.png"));
        view.OnViewCommand(32774);   // a filter being entered
        Shoot(view, out + QStringLiteral("/articoli-filtro.png"));
    }
    {
        CTabellaArticoliView view(shop.Db(), it, it);
        Shoot(view, out + QStringLiteral("/tabella-articoli.png"));
    }
    {
        CSezioniView view(shop.Db(), shop.Folder(), it, it);
        view.Tree()->expandAll();
        for (QTreeWidgetItemIterator it(view.Tree()); *it; ++it)
            if (CCategoryDragTree::IdOf(*it) == 3)
                view.Tree()->setCurrentItem(*it);
        emit view.Tree()->ItemPressed(3, true);   // a click on the selected section edits it
        Shoot(view, out + QStringLiteral("/sezioni.png"));
    }
    {
        CArgomentiView view(shop.Db(), false, shop.Folder(), it, it);
        view.Tree()->expandAll();
        Shoot(view, out + QStringLiteral("/argomenti-forum.png"));
    }
    {
        CModelliDlg dialog(shop.Db());
        Shoot(dialog, out + QStringLiteral("/modelli.png"));
    }
    {
        CModuliView view(shop.Db(), it, it);
        Shoot(view, out + QStringLiteral("/moduli.png"));
    }
    {
        CForumView view(shop.Db(), it);
        Shoot(view, out + QStringLiteral("/interventi-forum.png"));
    }
    return 0;
}
