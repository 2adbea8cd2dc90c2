#pragma once

#include "desktop/shell/controls/CSelPickerCore.h"

#include <QWidget>

#include <functional>
#include <memory>

class CDaoDatabase;
class CGridCtrl;
class CTreePopupDlg;
class CValidatedEdit;
class QComboBox;
class QPushButton;

// The page of a selection picker embedded in its user's dialog: the
// section or category chooser ("..." opens the tree popup), the
// "Visualizza" choice and the paging grid with its tick column. The rules
// are a CSelPickerCore made by the user on this page's grid.
class CSelPickerDlg : public QWidget
{
    Q_OBJECT
public:
    using CoreFactory = std::function<std::unique_ptr<CSelPickerCore>(CGridCore& grid)>;

    // The tree (when the layout has one) is read from db in the editing
    // language, with the default language's names as fallback.
    CSelPickerDlg(const PickerLayout& layout, const CoreFactory& makeCore, CDaoDatabase* db,
                  const QString& language, const QString& defaultLanguage, QWidget* parent = nullptr);
    ~CSelPickerDlg() override;

    CSelPickerCore& Core() { return *m_core; }
    CGridCtrl* Grid() const { return m_pGrid; }
    CTreePopupDlg* TreePopup() const { return m_pPopup; }
    CValidatedEdit* FilterEdit() const { return m_pEdit; }
    QComboBox* ViewCombo() const { return m_pViews; }

    // The popup's choice, as UM_TREE_POPUP_SELECT brings it.
    void OnTreePopupSelect();

private:
    void BuildChooser(QWidget* row, const PickerLayout& layout);
    void ConnectPaging();

    CGridCtrl* m_pGrid = nullptr;
    CTreePopupDlg* m_pPopup = nullptr;
    CValidatedEdit* m_pEdit = nullptr;
    QComboBox* m_pViews = nullptr;
    QPushButton* m_pChoose = nullptr;
    std::unique_ptr<CSelPickerCore> m_core;
};

// The pickers of articles (by section), links and products (by category).
class CSelArticoliDlg : public CSelPickerDlg
{
    Q_OBJECT
public:
    CSelArticoliDlg(const CoreFactory& makeCore, CDaoDatabase* db, const QString& language,
                    const QString& defaultLanguage, QWidget* parent = nullptr)
        : CSelPickerDlg(PickerLayout::Articoli(), makeCore, db, language, defaultLanguage, parent)
    {
    }
};

class CSelBannerDlg : public CSelPickerDlg
{
    Q_OBJECT
public:
    CSelBannerDlg(const CoreFactory& makeCore, QWidget* parent = nullptr)
        : CSelPickerDlg(PickerLayout::Banner(), makeCore, nullptr, QString(), QString(), parent)
    {
    }
};

class CSelProdottiDlg : public CSelPickerDlg
{
    Q_OBJECT
public:
    CSelProdottiDlg(const CoreFactory& makeCore, CDaoDatabase* db, const QString& language,
                    const QString& defaultLanguage, QWidget* parent = nullptr)
        : CSelPickerDlg(PickerLayout::Prodotti(), makeCore, db, language, defaultLanguage, parent)
    {
    }
};
