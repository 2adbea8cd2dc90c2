#pragma once

#include "desktop/content/CTabellaArticoliCore.h"
#include "desktop/shell/app/COrderedTableView.h"

class CDaoDatabase;

// "Tabella articoli": the articles of a section with their publication
// dates and "Attivo", edited in place, and Move up / Move down for their
// order; the window of CTabellaArticoliCore.
class CTabellaArticoliView : public COrderedTableView
{
    Q_OBJECT
public:
    CTabellaArticoliView(CDaoDatabase& database, const QString& currentLanguage, const QString& defaultLanguage,
                         QWidget* parent = nullptr);

    CTabellaArticoliCore& Core() { return m_core; }
    QComboBox* TextCombo() const { return TextChoice(); }
    void ChooseSection(qint32 id, const QString& text) { ChooseGroup(id, text); }

private:
    CTabellaArticoliCore m_core;
};
