#pragma once

#include "desktop/shell/app/ITindaView.h"
#include "desktop/shell/settings/CParGenViewCore.h"

#include <QWidget>

#include <memory>

class CDaoDatabase;
class CGridCtrl;
class CParGenOptionsCore;
class CValidatedEdit;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QTabWidget;
class QToolButton;

// "Parametri generali": the shop's account, site options, payment methods,
// image sizes, invoice series, index order and proxy, on four tabs. The
// rules are CParGenViewCore (the Configurazione row) and
// CParGenOptionsCore (the options, written at once); the frame's close
// saves a changed row and stays open when a required field is empty.
class CParGenView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    explicit CParGenView(CDaoDatabase& db, QWidget* parent = nullptr);
    ~CParGenView() override;

    CParGenViewCore& Core() { return *m_core; }
    CParGenOptionsCore& Options() { return *m_options; }

    // The form as the controls hold it, and back.
    ParGenForm Pull() const;
    void Push(const ParGenForm& form);
    void ShowPage(int page);
    int CurrentPage() const;

    // The controls, for the tests that drive the view.
    CValidatedEdit* Edit(ParGenForm::Edit edit) const { return m_edits.at(edit); }
    QCheckBox* Switch(int id) const;
    QRadioButton* CashKind(int kind) const;
    QLabel* ImportoLabel() const { return m_pImportoLabel; }
    CGridCtrl* SizeGrid() const { return m_pSizes; }
    QComboBox* OrderingCombo() const { return m_pOrdering; }
    QComboBox* LanguageCombo() const { return m_pLanguages; }
    QComboBox* CurrencyCombo() const { return m_pCurrencies; }
    QListWidget* OptionList() const { return m_pOptionList; }
    QToolButton* OptionButton(int id) const;

    // ITindaView
    CloseRule GetCloseRule() const override { return CloseRecordStrict; }
    bool IsRecordModified() override;
    bool SaveRecord() override;

private:
    QWidget* MakeUserPage();
    QWidget* MakeOptionsPage();
    QWidget* MakePaymentPage();
    QWidget* MakeTechnicalPage();
    CValidatedEdit* MakeEdit(ParGenForm::Edit edit, QWidget* parent);
    void ShowPayment(const PaymentControls& open);
    void OnPaymentSwitch(int id, bool on);
    void OnCashKind(int kind);
    void FillOptions();
    void ShowOptionState();
    void OnOptionChanged(class QListWidgetItem* item);
    void FocusFailure(const CParGenViewCore::Failure& failure);

    std::unique_ptr<CParGenViewCore> m_core;
    std::unique_ptr<CParGenOptionsCore> m_options;
    QTabWidget* m_pTabs = nullptr;
    QVector<CValidatedEdit*> m_edits;
    QVector<QCheckBox*> m_switches;   // 1075, 1046, 1047, 1048, 1049
    QButtonGroup* m_pCashKind = nullptr;
    QLabel* m_pImportoLabel = nullptr;
    CGridCtrl* m_pSizes = nullptr;
    QComboBox* m_pOrdering = nullptr;
    QComboBox* m_pLanguages = nullptr;
    QComboBox* m_pCurrencies = nullptr;
    QListWidget* m_pOptionList = nullptr;
    CValidatedEdit* m_pOptionCode = nullptr;
    CValidatedEdit* m_pOptionText = nullptr;
    QVector<QToolButton*> m_optionButtons;   // 1064 add, 1066 modify, 1065 delete
    bool m_bFilling = false;
    bool m_bCheckChanged = false;
};
