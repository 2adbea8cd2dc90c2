#pragma once

#include "desktop/content/CArticoliViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

#include <functional>

class CArticoliAvanzateDlg;
class CArticoliFilesDlg;
class CArticoliLinkDlg;
class CArticoliTestoDlg;
class CCheckTreePopupDlg;
class CValidatedEdit;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTreeWidgetItem;

// "Articoli", the article card: the code, the publication switches and
// dates, the sections popup, a preview, and four pages ("Generale",
// "Avanzate", "Link", "Files"). The rules are CArticoliViewCore; this
// widget copies its controls into the core's form before each action and
// shows the core's state after it.
class CArticoliView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    enum Check { Attivo, Novita, Mailing, Stampa, Segnalazione, Voto, CheckCount };
    enum Date { DataPubblicazione, DallaData, AllaData, DateCount };

    CArticoliView(CDaoDatabase& database, const QString& projectFolder, const QString& currentLanguage,
                  const QString& defaultLanguage, QWidget* parent = nullptr);
    ~CArticoliView() override;

    CArticoliViewCore& Core() { return m_core; }

    std::function<QString()> m_currentLanguage;
    std::function<QString()> m_defaultLanguage;
    std::function<void()> m_selectDefaultLanguage;

    void Pull();
    void Refresh();

    CValidatedEdit* CodiceEdit() const { return m_pCodice; }
    QCheckBox* CheckBox(Check check) const { return m_checks[check]; }
    CValidatedEdit* DateEdit(Date date) const { return m_dates[date]; }
    QPlainTextEdit* Preview() const { return m_pPreview; }
    QPushButton* SectionsButton() const { return m_pSezioni; }
    CCheckTreePopupDlg* SectionsPopup() const { return m_pPopup; }
    QTabBar* Tabs() const { return m_pTabs; }
    CArticoliTestoDlg* TestoPage() const { return m_pTesto; }
    CArticoliAvanzateDlg* AvanzatePage() const { return m_pAvanzate; }
    CArticoliLinkDlg* LinkPage() const { return m_pLink; }
    CArticoliFilesDlg* FilesPage() const { return m_pFiles; }

    // ITindaView
    CloseRule GetCloseRule() const override { return CloseInsertGuarded; }
    QString GetInsertCaption() const override { return QStringLiteral("Inserimento articolo"); }
    bool IsInsertingRecord() const override { return m_core.IsInserting(); }
    int GetRecordMode() const override { return m_core.GetFilterMode() == CArticoliViewCore::FilterEntering ? 1 : 0; }
    bool IsRecordModified() override;
    bool SaveRecord() override;
    bool CanChangeLanguage() override;
    void RefreshLanguage() override;
    bool IsViewCommandEnabled(int id) override;
    bool IsViewCommandChecked(int id) override;
    void OnViewCommand(int id) override;

private:
    template <typename F> void Guard(F&& step);
    void BuildSectionTree();
    void ShowTicks();
    void OnSectionClick(QTreeWidgetItem* item);
    void OnTabChanged(int tab);
    void LoadPages();

    CDaoDatabase& m_db;
    CArticoliViewCore m_core;
    QString m_strCurrent;
    QString m_strDefault;
    CValidatedEdit* m_pCodice = nullptr;
    QPushButton* m_pSezioni = nullptr;
    QCheckBox* m_checks[CheckCount] = {};
    CValidatedEdit* m_dates[DateCount] = {};
    QPlainTextEdit* m_pPreview = nullptr;
    QTabBar* m_pTabs = nullptr;
    QStackedWidget* m_pPages = nullptr;
    CArticoliTestoDlg* m_pTesto = nullptr;
    CArticoliAvanzateDlg* m_pAvanzate = nullptr;
    CArticoliLinkDlg* m_pLink = nullptr;
    CArticoliFilesDlg* m_pFiles = nullptr;
    CCheckTreePopupDlg* m_pPopup = nullptr;
    int m_nLoadedShown = -1;
    bool m_bRefreshing = false;
};
