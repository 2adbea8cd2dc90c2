#include "desktop/shell/app/CCloseProtocol.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/controls/tests/ShopTestDb.h"
#include "desktop/shell/settings/CParGenOptionsCore.h"
#include "desktop/shell/settings/CParGenView.h"
#include "platform/utilities/QtrCipher.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using F = ParGenForm;

class GeneralTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.Row("Valute", {{"ID", 1}, {"Valuta", "Euro"}});
        shop.Row("Lingue", {{"ID", 1}, {"Codice", "it"}, {"Descrizione", "Italiano"}, {"Attivo", 1}});
        shop.Row("Lingue", {{"ID", 2}, {"Codice", "en"}, {"Descrizione", "English"}, {"Attivo", 1}});
        shop.Row("Lingue", {{"ID", 3}, {"Codice", "de"}, {"Descrizione", "Deutsch"}, {"Attivo", 0}});
        shop.Row("Configurazione", {{"ID", 1}, {"CodiceUtente", "neg01"}, {"Password", Encrypt("segreta")},
                                    {"LinguaPredefinita", 1}, {"ValutaListino", 1}, {"TipoSpeseContrassegno", -1},
                                    {"DimLogo", 120}, {"DimCategorie", 80}, {"DimSezioni", 80},
                                    {"DimThumbnail", 100}, {"DimFoto", 300}, {"DimColori", 40},
                                    {"TipoOrdinamento", 0}, {"VersioneRecord", 7}});
    }

    int Version() { return shop.Value("SELECT VersioneRecord FROM Configurazione").toInt(); }

    ShopTestDb shop;
    CMessageBoxScript boxes;
    CCloseProtocol protocol{nullptr, [] { return true; }};
};

TEST_F(GeneralTest, LoadsTheRowAndClosingUnchangedWritesNothing)
{
    CParGenView view(shop.Db());
    EXPECT_EQ(view.Edit(F::Password)->text(), "segreta") << "the enciphered column is shown plain";
    EXPECT_EQ(view.LanguageCombo()->count(), 2) << "active languages only";
    EXPECT_EQ(view.LanguageCombo()->currentText(), "Italiano");
    EXPECT_EQ(view.SizeGrid()->GetCellText(4, 1), "300");
    EXPECT_FALSE(view.Edit(F::Importo)->isEnabled());
    EXPECT_FALSE(view.IsRecordModified());
    EXPECT_TRUE(protocol.MayClose(view));
    EXPECT_EQ(Version(), 7);
}

TEST_F(GeneralTest, ChangeIsSavedOnCloseWithoutAsking)
{
    CParGenView view(shop.Db());
    view.Edit(F::URLSito)->SetValue(QStringLiteral("www.negozio.example"));
    view.LanguageCombo()->setCurrentIndex(view.LanguageCombo()->findText("English"));
    EXPECT_TRUE(protocol.MayClose(view));
    EXPECT_TRUE(boxes.Shown().isEmpty());
    EXPECT_EQ(shop.Value("SELECT URLSito FROM Configurazione").toString(), "www.negozio.example");
    EXPECT_EQ(shop.Value("SELECT LinguaPredefinita FROM Configurazione").toInt(), 2);
    EXPECT_EQ(shop.Value("SELECT Modificato FROM Configurazione").toInt(), 1);
}

struct MissingCase
{
    const char* name;
    std::function<void(CParGenView&)> change;
    int page;
    int edit;      // the focused edit, or -1
    int sizeRow;   // the current size cell, or -1
};

class GeneralMissing : public GeneralTest, public ::testing::WithParamInterface<MissingCase>
{
};

TEST_P(GeneralMissing, SaveShowsThePageAndTheField)
{
    const MissingCase& c = GetParam();
    CParGenView view(shop.Db());
    view.show();
    c.change(view);
    EXPECT_FALSE(protocol.MayClose(view));
    EXPECT_EQ(view.CurrentPage(), c.page);
    EXPECT_EQ(boxes.LastText(), "Campo obbligatorio!");
    EXPECT_EQ(boxes.Shown().last().caption, "Validazione campi");
    if (c.edit >= 0)
        EXPECT_TRUE(view.Edit(F::Edit(c.edit))->hasFocus() || QApplication::focusWidget() == nullptr);
    if (c.sizeRow >= 0)
        EXPECT_EQ(view.SizeGrid()->GetCurRow(), c.sizeRow);
    EXPECT_EQ(Version(), 7);
}

INSTANTIATE_TEST_SUITE_P(
    ParGen, GeneralMissing,
    ::testing::Values(
        MissingCase{"BonificoWithoutAbi",
                    [](CParGenView& v) {
                        v.Switch(1046)->click();
                        v.Edit(F::Banca)->SetValue(QStringLiteral("Banca del Monte"));
                    },
                    2, F::ABI, -1},
        MissingCase{"EmptySizeCell", [](CParGenView& v) { v.SizeGrid()->SetCellText(5, 1, QString()); }, 3, -1, 5},
        MissingCase{"CashWithoutAmount", [](CParGenView& v) { v.Switch(1048)->click(); }, 2, F::Importo, -1}),
    [](const ::testing::TestParamInfo<MissingCase>& info) { return std::string(info.param.name); });

TEST_F(GeneralTest, CashOnDeliverySwitchesAndKinds)
{
    CParGenView view(shop.Db());
    view.Switch(1048)->click();
    EXPECT_TRUE(view.CashKind(0)->isChecked()) << "switching on selects Fisso";
    EXPECT_TRUE(view.Edit(F::Importo)->isEnabled());
    EXPECT_FALSE(view.Edit(F::Percentuale)->isEnabled());
    view.CashKind(1)->click();
    EXPECT_EQ(view.ImportoLabel()->text(), "Minimo");
    EXPECT_TRUE(view.Edit(F::Percentuale)->isEnabled());
    view.Edit(F::Percentuale)->SetValue(QStringLiteral("3.5"));
    view.Edit(F::Importo)->SetValue(QStringLiteral("5"));
    ASSERT_TRUE(view.SaveRecord());
    EXPECT_EQ(shop.Value("SELECT TipoSpeseContrassegno FROM Configurazione").toInt(), 1);
    EXPECT_FLOAT_EQ(shop.Value("SELECT SpeseContrassegno FROM Configurazione").toFloat(), 3.5f);
    EXPECT_DOUBLE_EQ(shop.Value("SELECT MinimoContrassegno FROM Configurazione").toDouble(), 5.0);

    view.Switch(1048)->click();
    ASSERT_TRUE(view.SaveRecord());
    EXPECT_EQ(shop.Value("SELECT TipoSpeseContrassegno FROM Configurazione").toInt(), -1);
}

TEST_F(GeneralTest, NewIndexOrderRunsTheOrderingOnce)
{
    CParGenView view(shop.Db());
    QVector<int> runs;
    view.Core().m_runIndexOrdering = [&runs](int mode) {
        runs << mode;
        return true;
    };
    view.OrderingCombo()->setCurrentIndex(2);
    ASSERT_TRUE(view.SaveRecord());
    ASSERT_TRUE(view.SaveRecord());
    EXPECT_EQ(runs, QVector<int>{2});
    EXPECT_EQ(shop.Value("SELECT TipoOrdinamento FROM Configurazione").toInt(), 2);
}

// The keys keep their old order when the rewrite stops or fails, so the
// stored mode must stay the old one; the next save tries again.
TEST_F(GeneralTest, IndexOrderWhoseRewriteFailedIsNotStored)
{
    CParGenView view(shop.Db());
    QVector<int> runs;
    bool rewritten = false;
    view.Core().m_runIndexOrdering = [&](int mode) {
        runs << mode;
        return rewritten;
    };
    view.OrderingCombo()->setCurrentIndex(3);
    ASSERT_TRUE(view.SaveRecord());
    EXPECT_EQ(shop.Value("SELECT TipoOrdinamento FROM Configurazione").toInt(), 0);

    rewritten = true;
    ASSERT_TRUE(view.SaveRecord());
    EXPECT_EQ(runs, (QVector<int>{3, 3}));
    EXPECT_EQ(shop.Value("SELECT TipoOrdinamento FROM Configurazione").toInt(), 3);
}

// ---- options -----------------------------------------------------------------------------------

TEST_F(GeneralTest, OptionsAreWrittenAtOnce)
{
    shop.Row("Opzioni", {{"ID", 4}, {"Codice", "NEWS"}, {"Descrizione", "Notizie"}, {"Flag", 0}});
    CParGenOptionsCore options(shop.Db());
    ASSERT_EQ(options.Options().size(), 1);
    EXPECT_EQ(options.Options().first().text, " NEWS");

    options.Select(0, true);
    EXPECT_EQ(shop.Value("SELECT Flag FROM Opzioni WHERE ID=4").toInt(), 1);
    EXPECT_EQ(shop.Value("SELECT Modificato FROM Opzioni WHERE ID=4").toInt(), 1);
    EXPECT_FALSE(options.GetState().editing);

    options.Select(0, true);
    EXPECT_TRUE(options.GetState().editing);
    EXPECT_EQ(options.GetState().descrizione, "Notizie");

    EXPECT_TRUE(options.Add(QStringLiteral("forum"), QStringLiteral("Forum")));
    EXPECT_EQ(shop.Value("SELECT Codice FROM Opzioni WHERE ID=5").toString(), "FORUM");
    EXPECT_FALSE(options.Add(QStringLiteral("Forum"), QStringLiteral("Ancora")));
    EXPECT_EQ(boxes.LastText(), "Codice opzione già presente in archivio!");
    EXPECT_FALSE(options.Add(QString(), QStringLiteral("Senza codice")));
    EXPECT_EQ(boxes.LastText(), "Campo obbligatorio!");
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Opzioni").toInt(), 2);

    const int forum = options.Options().at(0).text.contains("FORUM") ? 0 : 1;
    EXPECT_FALSE(options.Modify(forum, QStringLiteral("news"), QStringLiteral("x"))) << "another row's code";
    EXPECT_TRUE(options.Modify(forum, QStringLiteral("chat"), QStringLiteral("Chat")));
    EXPECT_EQ(options.Options().at(forum).text, "CHAT");

    boxes.Answer(QMessageBox::Yes);
    EXPECT_TRUE(options.Delete(forum));
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM Opzioni").toInt(), 1);
    EXPECT_EQ(shop.Value("SELECT COUNT(*) FROM RecordsEliminati").toInt(), 1);
}

} // namespace

namespace {

TEST_F(GeneralTest, TickingAnOptionWritesItAndClickingItsNameOpensIt)
{
    shop.Row("Opzioni", {{"ID", 4}, {"Codice", "NEWS"}, {"Descrizione", "Notizie"}, {"Flag", 0}});
    CParGenView view(shop.Db());
    QListWidgetItem* item = view.OptionList()->item(0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), " NEWS");

    // The check box: the change, then the click.
    item->setCheckState(Qt::Checked);
    emit view.OptionList()->itemClicked(item);
    EXPECT_EQ(shop.Value("SELECT Flag FROM Opzioni WHERE ID=4").toInt(), 1);
    EXPECT_TRUE(view.OptionButton(1064)->isEnabled()) << "back to adding";
    EXPECT_FALSE(view.OptionButton(1066)->isEnabled());

    // The name: the option opens for editing.
    emit view.OptionList()->itemClicked(item);
    EXPECT_FALSE(view.OptionButton(1064)->isEnabled());
    EXPECT_TRUE(view.OptionButton(1066)->isEnabled());
    EXPECT_TRUE(view.OptionButton(1065)->isEnabled());
}

} // namespace
