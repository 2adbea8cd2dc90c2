#pragma once

#include "desktop/customers/CUtentiViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QMap>
#include <QWidget>

class CCollegamentiPage;
class CValidatedEdit;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

// "Archivio utenti": one user at a time, the main fields above and the
// pages below. It fills its controls from CUtentiViewCore and hands every
// action to it.
class CUtentiView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    CUtentiView(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage,
                QWidget* parent = nullptr);
    ~CUtentiView() override;

    CUtentiViewCore& Core() { return m_core; }
    QTabWidget* Tabs() const { return m_pTabs; }
    CValidatedEdit* Edit(const QString& column) const;
    QLineEdit* PasswordEdit() const { return m_pPassword; }
    QComboBox* Tipo() const { return m_pTipo; }
    QComboBox* Gruppo() const { return m_pGruppo; }
    QListWidget* InterestList() const { return m_pInteressi; }
    CCollegamentiPage* FifthPage() const { return m_pFifth; }
    QPushButton* GenerateButton() const { return m_pGenera; }

    // Copies the controls into the core's form.
    void Pull();

    // ITindaView
    CloseRule GetCloseRule() const override { return CloseInsertGuarded; }
    QString GetInsertCaption() const override { return QStringLiteral("Inserimento utente"); }
    bool IsInsertingRecord() const override { return m_core.IsInserting(); }
    int GetRecordMode() const override { return m_core.GetFilterState() == CUtentiViewCore::FilterEntering ? 1 : 0; }
    bool IsRecordModified() override;
    bool SaveRecord() override;
    bool IsViewCommandEnabled(int id) override;
    bool IsViewCommandChecked(int id) override;
    void OnViewCommand(int id) override;

private:
    QWidget* BuildGenerale();
    QWidget* BuildParametri();
    QWidget* BuildRelazioni();
    QWidget* BuildInteressi();
    CValidatedEdit* AddEdit(const QString& column, int kind, int width, int flag, int decimals);
    template <typename F> bool Guard(F&& step);
    void Push();
    void FillLists();
    void ShowTabs();
    void ShowLinks();
    void ShowInterests();
    void OnGenerate();

    CUtentiViewCore m_core;
    QMap<QString, CValidatedEdit*> m_edits;
    QLineEdit* m_pPassword = nullptr;
    QPushButton* m_pGenera = nullptr;
    QComboBox* m_pTipo = nullptr;
    QTabWidget* m_pTabs = nullptr;
    QComboBox* m_pListino = nullptr;
    QComboBox* m_pLingua = nullptr;
    QGroupBox* m_pBoxPredefinito = nullptr;
    QGroupBox* m_pBoxPeriodo = nullptr;
    QComboBox* m_pAgente = nullptr;
    QComboBox* m_pGruppo = nullptr;
    QComboBox* m_pCliente = nullptr;
    QListWidget* m_pInteressi = nullptr;
    CCollegamentiPage* m_pFifth = nullptr;
    int m_nListsVersion = -1;
};
