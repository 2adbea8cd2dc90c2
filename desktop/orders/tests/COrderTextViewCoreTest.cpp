#include "desktop/orders/COrderTextView.h"
#include "desktop/orders/COrderTextViewCore.h"
#include "desktop/shell/app/CCloseProtocol.h"
#include "desktop/orders/testing/OrdersFixture.h"
#include "recordset/CCondizioniVenditaSet.h"

#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

using Core = COrderTextViewCore;

class OrderTextTest : public ::testing::Test
{
protected:
    void AddTerms(qint32 id, const QString& language, const QString& text)
    {
        // Through the table class: the text is stored enciphered.
        CCondizioniVenditaSet set(&f.Db());
        set.m_bTracking = false;
        set.Open();
        set.AddNew();
        set.m_ID = id;
        set.m_CodiceLingua = language;
        set.m_Testo = text;
        set.Update();
    }
    int Rows(const char* table) { return f.Value(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table)).toInt(); }

    OrdersFixture f;
};

TEST_F(OrderTextTest, AnEmptyTableNeitherLoadsNorSaves)
{
    Core core(f.Db(), Core::CondizioniVendita, QStringLiteral("it"));
    EXPECT_FALSE(core.LoadText(QStringLiteral("it")));
    EXPECT_FALSE(core.IsTextModified(QStringLiteral("typed")));
    EXPECT_FALSE(core.RefreshLanguage(QStringLiteral("typed"), QStringLiteral("en")));
    EXPECT_EQ(Rows("CondizioniVendita"), 0);
}

TEST_F(OrderTextTest, AMissingLanguageShowsTheDefaultAndAChangeAddsItsRow)
{
    AddTerms(1, QStringLiteral("it"), QStringLiteral("Condizioni"));
    Core core(f.Db(), Core::CondizioniVendita, QStringLiteral("it"));
    ASSERT_EQ(core.LoadText(QStringLiteral("it")).value(), QStringLiteral("Condizioni"));
    const auto english = core.RefreshLanguage(QStringLiteral("Condizioni"), QStringLiteral("en"));
    EXPECT_EQ(english.value(), QStringLiteral("Condizioni"));
    // Unchanged: no row for English.
    EXPECT_FALSE(core.IsTextModified(QStringLiteral("Condizioni")));
    EXPECT_EQ(Rows("CondizioniVendita"), 1);
    ASSERT_TRUE(core.IsTextModified(QStringLiteral("Terms")));
    core.SaveText(QStringLiteral("Terms"));
    EXPECT_EQ(Rows("CondizioniVendita"), 2);
    EXPECT_EQ(core.LoadText(QStringLiteral("en")).value(), QStringLiteral("Terms"));
    EXPECT_EQ(core.LoadText(QStringLiteral("it")).value(), QStringLiteral("Condizioni"));
    EXPECT_EQ(f.Value(QStringLiteral("SELECT ID FROM CondizioniVendita WHERE CodiceLingua='en'")).toInt(), 2);
    EXPECT_EQ(f.Value(QStringLiteral("SELECT Modificato FROM CondizioniVendita WHERE CodiceLingua='en'")).toInt(), 1);
    // Stored enciphered, as the table class writes it.
    EXPECT_NE(f.Value(QStringLiteral("SELECT Testo FROM CondizioniVendita WHERE CodiceLingua='en'")).toString(),
              QStringLiteral("Terms"));
}

TEST_F(OrderTextTest, TheTwoTextsAreEditedApart)
{
    AddTerms(1, QStringLiteral("it"), QStringLiteral("Condizioni"));
    f.Row(QStringLiteral("TestoNotificaOrdine"), {{"ID", 1}, {"CodiceLingua", "it"}, {"Testo", ""}});
    Core terms(f.Db(), Core::CondizioniVendita, QStringLiteral("it"));
    Core notice(f.Db(), Core::NotificaCliente, QStringLiteral("it"));
    terms.LoadText(QStringLiteral("it"));
    notice.LoadText(QStringLiteral("it"));
    notice.SaveText(QStringLiteral("Grazie per l'ordine"));
    EXPECT_EQ(terms.LoadText(QStringLiteral("it")).value(), QStringLiteral("Condizioni"));
    EXPECT_EQ(notice.LoadText(QStringLiteral("it")).value(), QStringLiteral("Grazie per l'ordine"));
    EXPECT_EQ(Rows("TestoNotificaOrdine"), 1);
}

TEST_F(OrderTextTest, TheViewSavesOnLanguageChangeAndOnClose)
{
    AddTerms(1, QStringLiteral("it"), QStringLiteral("Condizioni"));
    QString language = QStringLiteral("it");
    COrderTextView view(f.Db(), Core::CondizioniVendita, language, QStringLiteral("it"));
    view.m_currentLanguage = [&language] { return language; };
    EXPECT_EQ(view.Field()->toPlainText(), QStringLiteral("Condizioni"));
    view.Field()->setPlainText(QStringLiteral("Condizioni nuove"));
    language = QStringLiteral("en");
    view.RefreshLanguage();
    EXPECT_EQ(view.Field()->toPlainText(), QStringLiteral("Condizioni nuove"));
    view.Field()->setPlainText(QStringLiteral("Terms"));
    EXPECT_TRUE(CCloseProtocol(nullptr, [] { return true; }).MayClose(view));
    Core check(f.Db(), Core::CondizioniVendita, QStringLiteral("it"));
    EXPECT_EQ(check.LoadText(QStringLiteral("it")).value(), QStringLiteral("Condizioni nuove"));
    EXPECT_EQ(check.LoadText(QStringLiteral("en")).value(), QStringLiteral("Terms"));
}

} // namespace
