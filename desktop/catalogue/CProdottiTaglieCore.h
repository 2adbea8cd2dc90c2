#pragma once

#include "desktop/catalogue/TaglieProdotto.h"

#include <QList>
#include <QString>

class CDaoDatabase;

// The rules of the product card's sizes page, without widgets: the product
// chooses one of the size tables (ValoriTaglie) and a run of its sizes,
// picked in the cell matrix. The page works on the card's working copy of
// the three size settings, which the card writes when it saves.
class CProdottiTaglieCore
{
public:
    struct Entry
    {
        qint32 nId = 0;
        QString strDescrizione;
    };

    // What the page shows.
    struct State
    {
        bool bHasTable = false;   // check box 1095
        bool bComboEnabled = false;
        int nComboIndex = -1;     // entry of the combo, -1 none
        QString strCells;         // the matrix's texts, each ended by "|"
        int nSelStart = -1;
        int nSelEnd = -1;
    };

    CProdottiTaglieCore(CDaoDatabase& db, TaglieProdotto& sizes);

    // Reads the size tables again and shows the working copy.
    void LoadSizes();
    const QList<Entry>& Entries() const { return m_entries; }
    const State& GetState() const { return m_state; }

    // A table chosen in the combo: every size on sale.
    void SelectTable(int comboIndex);
    // The check box: unticked, the product has no sizes; ticked, the combo
    // opens and the product gets a table once one is chosen.
    void SetHasTable(bool checked);
    // The run selected in the matrix (-1 for none).
    void SelectionChanged(int first, int last);
    // Back from the size tables dialog: the tables may have changed, so
    // the product's choice starts again.
    void AfterTablesDialog();

private:
    QString ValoriOf(qint32 id) const;

    CDaoDatabase& m_db;
    TaglieProdotto& m_sizes;
    QList<Entry> m_entries;
    QList<QString> m_valori;
    State m_state;
};
