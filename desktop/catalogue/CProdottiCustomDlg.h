#pragma once

#include "desktop/catalogue/CProdottiCustomCore.h"

#include <QWidget>

class CDaoDatabase;
class CGridCtrl;

// The "Custom" page of the product card: the grid of the product's custom
// fields. The rules are CProdottiCustomCore's; the product view hands in
// the categories and the stored text and calls the three operations below.
class CProdottiCustomDlg : public QWidget
{
    Q_OBJECT
public:
    explicit CProdottiCustomDlg(CDaoDatabase& db, QWidget* parent = nullptr);
    ~CProdottiCustomDlg() override;

    CProdottiCustomCore& Core() { return m_core; }
    CGridCtrl* Grid() const { return m_pGrid; }
    bool IsInitialised() const { return m_core.IsInitialised(); }

    void SetCategories(const QVector<qint32>& categoryIds) { m_core.SetCategories(categoryIds); }
    void SetCampiCustom(const QString& text) { m_core.SetCampiCustom(text); }
    void LoadCustomValues();
    QString GetCustomValuesText();
    QString GetCustomValuesWords();
    // False, after its message, while a value holds "|"; the view calls it
    // before a save and brings this page forward.
    bool ValidateCustomValues();

private:
    CGridCtrl* m_pGrid;
    CProdottiCustomCore m_core;
};
