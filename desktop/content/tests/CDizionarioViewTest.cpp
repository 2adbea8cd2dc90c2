// The dictionary editor: codes as the shop looks them up, one text per
// language, the default language always filled for a new entry, typed text
// stored as typed and the typed code never part of a statement.

#include "desktop/content/CDizionarioView.h"
#include "desktop/content/CDizionarioViewCore.h"
#include "desktop/content/tests/ContentFixture.h"
#include "desktop/shell/controls/CMessageBoxScript.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class Dictionary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.AddDictionaryEntry(1, QStringLiteral("SALUTO"));
        shop.AddDictionaryText(1, QStringLiteral("it"), QStringLiteral("Benvenuto"));
        shop.AddDictionaryEntry(2, QStringLiteral("CARRELLO"));
        shop.AddDictionaryText(2, QStringLiteral("it"), QStringLiteral("Il tuo carrello"));
        shop.AddDictionaryText(2, QStringLiteral("en"), QStringLiteral("Your basket"));
    }

    qint32 IdOf(const QString& code)
    {
        return shop.Value(QStringLiteral("SELECT ID FROM Dizionario WHERE Codice=?"), {code}).toInt();
    }

    ContentFixture shop;
};

TEST_F(Dictionary, ACodeIsStoredAndListedInUpperCase)
{
    CDizionarioViewCore core(shop.Db(), QStringLiteral("it"), QStringLiteral("it"));
    ASSERT_EQ(core.Add(QStringLiteral("spedIzione2"), QStringLiteral("Spedizione")), CDizionarioViewCore::Accepted);
    const qint32 id = IdOf(QStringLiteral("SPEDIZIONE2"));
    ASSERT_GT(id, 2);
    EXPECT_EQ(core.Entries().last().strCodice, QStringLiteral("SPEDIZIONE2"));
    EXPECT_EQ(shop.DictionaryText(id, QStringLiteral("it")), QStringLiteral("Spedizione"));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Modificato FROM Dizionario WHERE ID=?"), {id}).toInt(), 1);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Modificato FROM DizionarioLingue WHERE IDCodice=?"), {id}).toInt(), 1);
    // Back to the start state: nothing selected, only add works.
    EXPECT_EQ(core.Selected(), 0);
    EXPECT_TRUE(core.GetControls().bAdd);
    EXPECT_FALSE(core.GetControls().bSave);
}

struct RefusedCode
{
    const char* name;
    const char* code;
    CDizionarioViewCore::Refusal refusal;
};

void PrintTo(const RefusedCode& c, std::ostream* os)
{
    *os << c.name;
}

class RefusedCodes : public Dictionary, public ::testing::WithParamInterface<RefusedCode>
{
};

// Each refusal writes nothing, whether the entry is new or saved over one.
TEST_P(RefusedCodes, WriteNothing)
{
    CDizionarioViewCore core(shop.Db(), QStringLiteral("en"), QStringLiteral("it"));
    EXPECT_EQ(core.Add(QString::fromUtf8(GetParam().code), QStringLiteral("x")), GetParam().refusal);
    core.Select(2);
    EXPECT_EQ(core.Save(QString::fromUtf8(GetParam().code), QStringLiteral("x")), GetParam().refusal);
    EXPECT_EQ(shop.Count(QStringLiteral("Dizionario")), 2);
    EXPECT_EQ(shop.Count(QStringLiteral("DizionarioLingue")), 3);
    EXPECT_EQ(shop.DictionaryText(2, QStringLiteral("en")), QStringLiteral("Your basket"));
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT Codice FROM Dizionario WHERE ID=2")).toString(),
              QStringLiteral("CARRELLO"));
    EXPECT_FALSE(CDizionarioViewCore::RefusalText(GetParam().refusal).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Codes, RefusedCodes,
    ::testing::Values(RefusedCode{"Empty", "", CDizionarioViewCore::CodeMissing},
                      // Nothing of it is a letter or a digit, so no code is left.
                      RefusedCode{"OnlySigns", "'%_*-- ;", CDizionarioViewCore::CodeMissing},
                      RefusedCode{"OtherEntrysCodeInLowerCase", "saluto", CDizionarioViewCore::CodeTaken},
                      RefusedCode{"OtherEntrysCodeMixedCase", "SaLuTo", CDizionarioViewCore::CodeTaken}),
    [](const ::testing::TestParamInfo<RefusedCode>& info) { return std::string(info.param.name); });

TEST_F(Dictionary, AnEntrySavedUnderItsOwnCodeIsAccepted)
{
    CDizionarioViewCore core(shop.Db(), QStringLiteral("it"), QStringLiteral("it"));
    core.Select(1);
    EXPECT_EQ(core.Code(), QStringLiteral("SALUTO"));
    EXPECT_EQ(core.Save(QStringLiteral("saluto"), QStringLiteral("Ciao")), CDizionarioViewCore::Accepted);
    EXPECT_EQ(shop.DictionaryText(1, QStringLiteral("it")), QStringLiteral("Ciao"));
    EXPECT_EQ(shop.Count(QStringLiteral("Dizionario")), 2);
}

TEST_F(Dictionary, AddingInAnotherLanguageFillsTheDefaultOneTooAndSavingTouchesOnlyTheCurrent)
{
    CDizionarioViewCore core(shop.Db(), QStringLiteral("en"), QStringLiteral("it"));
    ASSERT_EQ(core.Add(QStringLiteral("LOGIN"), QStringLiteral("Sign in")), CDizionarioViewCore::Accepted);
    const qint32 id = IdOf(QStringLiteral("LOGIN"));
    EXPECT_EQ(shop.DictionaryText(id, QStringLiteral("en")), QStringLiteral("Sign in"));
    EXPECT_EQ(shop.DictionaryText(id, QStringLiteral("it")), QStringLiteral("Sign in"));

    core.Select(id);
    ASSERT_EQ(core.Save(QStringLiteral("LOGIN"), QStringLiteral("Log in")), CDizionarioViewCore::Accepted);
    EXPECT_EQ(shop.DictionaryText(id, QStringLiteral("en")), QStringLiteral("Log in"));
    EXPECT_EQ(shop.DictionaryText(id, QStringLiteral("it")), QStringLiteral("Sign in"));
}

struct ShownText
{
    const char* name;
    const char* current;
    const char* defaultLanguage;
    qint32 entry;
    const char* text;
};

void PrintTo(const ShownText& c, std::ostream* os)
{
    *os << c.name;
}

class ShownTexts : public Dictionary, public ::testing::WithParamInterface<ShownText>
{
};

TEST_P(ShownTexts, AreTheCurrentLanguagesElseTheDefaults)
{
    CDizionarioViewCore core(shop.Db(), QString::fromUtf8(GetParam().current),
                             QString::fromUtf8(GetParam().defaultLanguage));
    core.Select(GetParam().entry);
    EXPECT_EQ(core.Text(), QString::fromUtf8(GetParam().text));
    EXPECT_TRUE(core.GetControls().bSave);
    EXPECT_FALSE(core.GetControls().bAdd);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ShownTexts,
    ::testing::Values(ShownText{"CurrentHasOne", "en", "it", 2, "Your basket"},
                      ShownText{"CurrentHasNoneDefaultShown", "en", "it", 1, "Benvenuto"},
                      ShownText{"DefaultSelected", "it", "it", 2, "Il tuo carrello"},
                      // Neither the current nor the default language has a row.
                      ShownText{"NeitherShowsEmpty", "fr", "de", 2, ""}),
    [](const ::testing::TestParamInfo<ShownText>& info) { return std::string(info.param.name); });

TEST_F(Dictionary, SavingAnEntryShownInTheDefaultTextCreatesTheCurrentLanguagesRow)
{
    CDizionarioViewCore core(shop.Db(), QStringLiteral("en"), QStringLiteral("it"));
    core.Select(1);
    ASSERT_EQ(core.Save(QStringLiteral("SALUTO"), QStringLiteral("Welcome")), CDizionarioViewCore::Accepted);
    EXPECT_EQ(shop.DictionaryText(1, QStringLiteral("en")), QStringLiteral("Welcome"));
    EXPECT_EQ(shop.DictionaryText(1, QStringLiteral("it")), QStringLiteral("Benvenuto"));
}

// The shop escapes what it shows; the editor keeps every character.
TEST_F(Dictionary, TypedTextIsStoredAsTyped)
{
    const QString typed = QStringLiteral("<b>50%</b> d'sconto & \"più\"; DROP TABLE Dizionario;--");
    CDizionarioViewCore core(shop.Db(), QStringLiteral("it"), QStringLiteral("it"));
    core.Select(1);
    ASSERT_EQ(core.Save(QStringLiteral("SALUTO"), typed), CDizionarioViewCore::Accepted);
    EXPECT_EQ(shop.DictionaryText(1, QStringLiteral("it")), typed);
    core.Select(1);
    EXPECT_EQ(core.Text(), typed);
}

TEST_F(Dictionary, DeletingTakesTheTextsAndLogsTheRowsOnlyWhenConfirmed)
{
    CMessageBoxScript boxes;
    CDizionarioViewCore core(shop.Db(), QStringLiteral("it"), QStringLiteral("it"));
    core.Select(2);
    boxes.Answer(QMessageBox::No);
    core.Delete();
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Confermi ?"));
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Cancellazione voce dizionario"));
    EXPECT_EQ(shop.Count(QStringLiteral("DizionarioLingue")), 3);
    EXPECT_EQ(core.Selected(), 0);   // the selection is cleared either way

    core.Select(2);
    boxes.Answer(QMessageBox::Yes);
    core.Delete();
    EXPECT_EQ(shop.Count(QStringLiteral("Dizionario")), 1);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM DizionarioLingue WHERE IDCodice=2")).toInt(), 0);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM DizionarioLingue WHERE IDCodice=1")).toInt(), 1);
    EXPECT_EQ(shop.Value(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati WHERE NomeTabella='Dizionario' "
                                        "AND IDRecord=2")).toInt(), 1);
    ASSERT_EQ(core.Entries().size(), 1);
    EXPECT_EQ(core.Entries().first().nId, 1);
}

TEST_F(Dictionary, TheViewForwardsItsButtonsAndALanguageChangeDropsWhatWasTyped)
{
    CMessageBoxScript boxes;
    QString current = QStringLiteral("it");
    CDizionarioView view(shop.Db(), current, QStringLiteral("it"));
    view.m_currentLanguage = [&current] { return current; };
    view.m_defaultLanguage = [] { return QStringLiteral("it"); };
    ASSERT_EQ(view.List()->count(), 2);
    EXPECT_FALSE(view.GetButton(CDizionarioView::SaveButton)->isEnabled());

    view.CodeEdit()->setText(QStringLiteral("saluto"));
    view.GetButton(CDizionarioView::AddButton)->click();
    EXPECT_EQ(boxes.LastText(), QStringLiteral("Codice voce già presente in archivio!"));
    EXPECT_EQ(boxes.Shown().last().caption, QStringLiteral("Validazione campi"));
    EXPECT_EQ(view.CodeEdit()->text(), QStringLiteral("saluto"));   // the typed code stays to be mended

    view.List()->setCurrentRow(1);
    emit view.List()->itemClicked(view.List()->item(1));
    EXPECT_EQ(view.TextEdit()->toPlainText(), QStringLiteral("Il tuo carrello"));
    EXPECT_TRUE(view.GetButton(CDizionarioView::SaveButton)->isEnabled());
    view.TextEdit()->setPlainText(QStringLiteral("non salvato"));
    current = QStringLiteral("en");
    view.RefreshLanguage();
    EXPECT_TRUE(view.TextEdit()->toPlainText().isEmpty());
    EXPECT_TRUE(view.CodeEdit()->text().isEmpty());
    EXPECT_FALSE(view.GetButton(CDizionarioView::SaveButton)->isEnabled());
    EXPECT_EQ(shop.DictionaryText(2, QStringLiteral("it")), QStringLiteral("Il tuo carrello"));
}

} // namespace
