#pragma once

#include "desktop/catalogue/CTabellaProdottiCore.h"
#include "desktop/shell/app/COrderedTableView.h"

class CDaoDatabase;

// "Tabella prodotti": the products with their four list prices in the
// editing language, edited in place, and Move up / Move down for their
// display order; the window of CTabellaProdottiCore.
class CTabellaProdottiView : public COrderedTableView
{
    Q_OBJECT
public:
    CTabellaProdottiView(CDaoDatabase& database, const QString& currentLanguage, const QString& defaultLanguage,
                         QWidget* parent = nullptr);

    CTabellaProdottiCore& Core() { return m_core; }
    QComboBox* DescriptionCombo() const { return TextChoice(); }
    void ChooseCategory(qint32 id, const QString& text) { ChooseGroup(id, text); }

private:
    CTabellaProdottiCore m_core;
};
