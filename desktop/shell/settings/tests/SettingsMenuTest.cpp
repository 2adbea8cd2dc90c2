// The settings views as the merchant reaches them: the program started on
// a new project, each view opened by its menu command in the main frame,
// a value entered and the frame closed.
#include "desktop/shell/app/CChildFrame.h"
#include "desktop/shell/app/CMainFrame.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/TindaCommandIds.h"
#include "desktop/shell/controls/CGridCtrl.h"
#include "desktop/shell/controls/CMessageBoxScript.h"
#include "desktop/shell/controls/CValidatedEdit.h"
#include "desktop/shell/settings/CLingueView.h"
#include "desktop/shell/settings/CLingueViewCore.h"
#include "desktop/shell/settings/CParAziView.h"
#include "desktop/shell/settings/CParGenView.h"
#include "desktop/shell/settings/CValuteView.h"
#include "desktop/shell/settings/CValuteViewCore.h"
#include "platform/testing/TempFolder.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class SettingsMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.Path());
        app = std::make_unique<CTindaApp>();
        app->m_strInstallFolder = QCoreApplication::applicationDirPath();
        app->m_strStartProject = projects.Path() + QStringLiteral("/negozio");
        ASSERT_TRUE(app->InitInstance());
        ASSERT_TRUE(app->m_bProjectOpen);
    }

    void TearDown() override { app.reset(); }

    template <typename View> View* Open(int id)
    {
        EXPECT_TRUE(app->GetMainFrame()->RunCommand(id)) << id;
        QMdiSubWindow* frame = app->GetMainFrame()->GetMdiArea()->subWindowList().value(0);
        return frame ? qobject_cast<View*>(frame->widget()) : nullptr;
    }

    bool CloseFrame()
    {
        QMdiSubWindow* frame = app->GetMainFrame()->GetMdiArea()->subWindowList().value(0);
        return frame && frame->close();
    }

    QVariant Value(const QString& sql)
    {
        QSqlQuery query(app->m_db.Connection());
        return query.exec(sql) && query.next() ? query.value(0) : QVariant();
    }

    TempFolder settingsFolder;
    TempFolder projects;
    CMessageBoxScript boxes;
    std::unique_ptr<CTindaApp> app;
};

TEST_F(SettingsMenuTest, GeneralParametersOpenAndSave)
{
    auto* view = Open<CParGenView>(ID_PARAMETRI_GENERALI);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(app->m_bViewOpen);
    view->Edit(ParGenForm::URLSito)->SetValue(QStringLiteral("www.scarpe.example"));
    ASSERT_TRUE(CloseFrame());
    EXPECT_FALSE(app->m_bViewOpen);
    EXPECT_EQ(Value("SELECT URLSito FROM Configurazione").toString(), "www.scarpe.example");
}

TEST_F(SettingsMenuTest, CompanyParametersOpenAndSave)
{
    auto* view = Open<CParAziView>(ID_PARAMETRI_AZIENDALI);
    ASSERT_NE(view, nullptr);
    view->CompanyPage()->Edit(1054)->SetValue(QStringLiteral("Scarpe Rossi srl"));
    ASSERT_TRUE(CloseFrame());
    EXPECT_EQ(Value("SELECT RagioneSociale FROM Configurazione").toString(), "Scarpe Rossi srl");
}

TEST_F(SettingsMenuTest, LanguagesOpenSaveAndRefillTheSelector)
{
    auto* view = Open<CLingueView>(ID_LINGUE);
    ASSERT_NE(view, nullptr);
    const int before = app->GetMainFrame()->GetLanguageList().GetCount();
    view->AddButton()->click();
    const int row = view->Grid()->GetRowCount() - 1;
    view->Grid()->SetCellCheck(row, CLingueViewCore::ColAttivo, 1);
    view->Grid()->SetCellText(row, CLingueViewCore::ColCodice, QStringLiteral("en"));
    view->Grid()->SetCellText(row, CLingueViewCore::ColDescrizione, QStringLiteral("English"));
    ASSERT_TRUE(CloseFrame());
    EXPECT_EQ(Value("SELECT Descrizione FROM Lingue WHERE Codice='en'").toString(), "English");
    EXPECT_EQ(app->GetMainFrame()->GetLanguageList().GetCount(), before + 1) << "the selector is reloaded";
}

TEST_F(SettingsMenuTest, CurrenciesOpenAndSave)
{
    auto* view = Open<CValuteView>(ID_VALUTE);
    ASSERT_NE(view, nullptr);
    view->AddButton()->click();
    const int row = view->Grid()->GetRowCount() - 1;
    view->Grid()->SetCellText(row, CValuteViewCore::ColValuta, QStringLiteral("Franco svizzero"));
    view->Grid()->SetCellText(row, CValuteViewCore::ColCambio, QStringLiteral("0.95"));
    view->Grid()->SetCellText(row, CValuteViewCore::ColSimbolo, QStringLiteral("CHF"));
    view->Grid()->SetCellText(row, CValuteViewCore::ColArrotondamento, QStringLiteral("Centesimi"));
    ASSERT_TRUE(CloseFrame());
    EXPECT_EQ(Value("SELECT Simbolo FROM Valute WHERE Valuta='Franco svizzero'").toString(), "CHF");
}

} // namespace
