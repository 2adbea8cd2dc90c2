// Shows each view of the customers desk on a sample project and saves a
// picture of it: customers_screenshots <output folder>.

#include "desktop/customers/CGruppiView.h"
#include "desktop/customers/CInteressiView.h"
#include "desktop/customers/CMailingView.h"
#include "desktop/customers/CPermessiView.h"
#include "desktop/customers/CSSpedizioneView.h"
#include "desktop/customers/CUtentiView.h"
#include "desktop/customers/tests/CustomersFixture.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "recordset/CCategorieLinSet.h"
#include "recordset/CProdottiLingueSet.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

void Fill(CustomersFixture& shop)
{
    shop.AddCustomer(0, QString(), QStringLiteral("Visitatore anonimo"), QString(), 1);
    shop.AddCustomer(1, QStringLiteral("Enoteca Bassi Srl"), QStringLiteral("Bassi"), QStringLiteral("Bruno"), 0,
                     {{"UserID", "bbassi"}, {"Indirizzo", "Via Roma 12"}, {"Cap", "27029"}, {"Localita", "Vigevano"},
                      {"Provincia", "PV"}, {"Stato", "Italia"}, {"Telefono", "0381 123456"},
                      {"Cellulare", "333 1234567"}, {"CFPI", "01234567890"}, {"Email", "ordini@enotecabassi.it"},
                      {"Web", "www.enotecabassi.it"}, {"IDGruppo", 1}, {"IDAgente", 3}, {"IDListino", 2},
                      {"CodiceLingua", "it"}, {"ScontoPredefinito", "10+5"}, {"Pagamento", "Bonifico 30 gg"},
                      {"Fido", 5000}, {"FidoResiduo", 3250.5}});
    shop.AddCustomer(2, QString(), QStringLiteral("Neri"), QStringLiteral("Ada"), 1,
                     {{"Email", "ada.neri@example.com"}, {"UserID", "aneri"}});
    shop.AddCustomer(3, QStringLiteral("Agenzia Lombarda"), QStringLiteral("Galli"), QStringLiteral("Gino"), 3);
    shop.AddCustomer(4, QStringLiteral("Magazzino Bassi"), QStringLiteral("Bassi"), QString(), 4, {{"IDCliente", 1}});
    shop.AddCustomer(5, QStringLiteral("Deposito Vigevano"), QStringLiteral("Conti"), QString(), 4);
    shop.AddCustomer(6, QStringLiteral("Trattoria Mori"), QStringLiteral("Mori"), QStringLiteral("Mia"), 0,
                     {{"Email", "mia@trattoriamori.it"}});
    shop.AddGroup(1, QStringLiteral("Rivenditori"));
    shop.AddGroup(2, QStringLiteral("Ristoranti"));
    shop.Value("UPDATE Gruppi SET ScontoPredefinito='15', IDListino=1 WHERE ID=1");
    const char* interests[] = {"Vini rossi", "Vini bianchi", "Formaggi", "Offerte e saldi"};
    for (int i = 0; i < 4; ++i) {
        shop.AddInterest(i + 1, i + 1);
        shop.AddInterestText(i + 1, i + 1, "it", QString::fromUtf8(interests[i]),
                             QStringLiteral("Novità e offerte su %1").arg(QString::fromUtf8(interests[i]).toLower()));
    }
    int row = 1;
    for (const auto& [user, interest] : {std::pair{1, 1}, {1, 3}, {2, 4}, {6, 1}})
        shop.Row("InteressiUtenti", {{"ID", row++}, {"IDUtente", user}, {"IDInteresse", interest}});
    const char* categories[] = {"Vini", "Rossi", "Bianchi", "Formaggi", "Stagionati"};
    const int parents[] = {0, 1, 1, 0, 4};
    for (int i = 0; i < 5; ++i) {
        shop.Row("Categorie", {{"ID", i + 1}, {"IDCategoriaPadre", parents[i]}, {"Ordine", i + 1}});
    }
    CCategorieLinSet names(&shop.Db());
    names.m_bTracking = false;
    names.Open();
    for (int i = 0; i < 5; ++i) {
        names.AddNew();
        names.m_ID = i + 1;
        names.m_IDCategoria = i + 1;
        names.m_CodiceLingua = "it";
        names.m_Nome = QString::fromUtf8(categories[i]);
        names.Update();
    }
    shop.AddRight(1, 1, -1, 0, 5);
    shop.AddRight(2, 1, -1, 1, 2);
    CProdottiLingueSet texts(&shop.Db());
    texts.m_bTracking = false;
    texts.Open();
    const char* products[] = {"Barolo DOCG 2019", "Gavi di Gavi", "Gorgonzola piccante", "Grana stagionato"};
    for (int i = 0; i < 4; ++i) {
        shop.Row("Prodotti", {{"ID", i + 1}, {"Codice", QStringLiteral("ART%1").arg(i + 1)}, {"Mailing", i % 2},
                              {"Ordine", i + 1}});
        texts.AddNew();
        texts.m_ID = i + 1;
        texts.m_IDProdotto = i + 1;
        texts.m_CodiceLingua = "it";
        texts.m_Nome = QString::fromUtf8(products[i]);
        texts.Update();
    }
    shop.Value("UPDATE Configurazione SET IVASpedizioni=22, PesoImballo=0.5, TipoPesoImballo=0");
    shop.Row("SpeseSpedizione", {{"ID", 1}, {"Descrizione", "Italia"}, {"Limite1", 5}, {"Prezzo1", 7.9},
                                 {"Limite2", 20}, {"Prezzo2", 12.5}, {"Prezzo3", 19}});
    shop.Row("SpeseSpedizione", {{"ID", 2}, {"Descrizione", "Europa"}, {"Limite1", 5}, {"Prezzo1", 18},
                                 {"Prezzo2", 29}});
    shop.Row("SpeseSpedizione", {{"ID", 3}, {"Descrizione", "Svizzera"}, {"EsenzioneIVA", 1}, {"Prezzo1", 35}});
}

void Shoot(QWidget& widget, const QString& file, QSize size = QSize(900, 560))
{
    widget.resize(size);
    widget.show();
    QApplication::processEvents();
    widget.grab().save(file);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    CustomersFixture shop;
    Fill(shop);
    {
        CUtentiView view(shop.Db(), "it", "it");
        while (view.Core().CurrentID() != 1)
            view.OnViewCommand(ID_RECORD_NEXT);
        Shoot(view, out + "/utenti-generale.png");
        view.Tabs()->setCurrentIndex(1);
        Shoot(view, out + "/utenti-parametri.png");
        view.Tabs()->setCurrentIndex(2);
        Shoot(view, out + "/utenti-relazioni.png");
        view.Tabs()->setCurrentIndex(3);
        Shoot(view, out + "/utenti-interessi.png");
        view.Tabs()->setCurrentIndex(4);
        Shoot(view, out + "/utenti-destinatari.png");
    }
    {
        CGruppiView view(shop.Db());
        view.Core().Select(1);
        view.Tabs()->setCurrentIndex(1);
        Shoot(view, out + "/gruppi.png");
    }
    {
        CPermessiView view(shop.Db(), "it", "it");
        view.GroupsButton()->click();
        view.List()->setCurrentRow(1);
        Shoot(view, out + "/permessi-categorie.png");
        view.Tabs()->setCurrentIndex(CPermessiView::TabProdotti);
        Shoot(view, out + "/permessi-prodotti.png");
    }
    {
        CInteressiView view(shop.Db(), "it", "it");
        view.List()->setCurrentRow(2);
        Shoot(view, out + "/interessi.png", QSize(760, 420));
    }
    {
        CSSpedizioneView view(shop.Db());
        Shoot(view, out + "/spese.png", QSize(1000, 360));
    }
    {
        CMailingView view(shop.Db(), shop.Folder(), "it", "it");
        view.Edit(CMailingView::EditSubject)->setText("Le novità di dicembre");
        view.Edit(CMailingView::EditSender)->setText("negozio@enotecabassi.it");
        view.Edit(CMailingView::EditServer)->setText("smtp.enotecabassi.it");
        view.Edit(CMailingView::EditSignature)->setText("Enoteca Bassi - Vigevano");
        view.Edit(CMailingView::EditSms)->setText("Nuova annata in enoteca: sconto 10% fino a domenica!");
        view.BodyEdit()->setPlainText("Cari clienti,\nsono arrivati i vini della nuova annata.");
        Shoot(view, out + "/mailing-messaggio.png");
        view.InterestList()->item(0)->setCheckState(Qt::Checked);
        view.Tabs()->setCurrentIndex(1);
        Shoot(view, out + "/mailing-interessi.png");
        view.FieldList()->item(1)->setCheckState(Qt::Checked);
        view.FieldList()->item(2)->setCheckState(Qt::Checked);
        view.PromoText()->setPlainText(view.Core().BuildPromoText());
        view.Tabs()->setCurrentIndex(2);
        Shoot(view, out + "/mailing-promo.png");
    }
    return 0;
}
