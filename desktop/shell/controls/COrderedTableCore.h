#pragma once

#include "desktop/shell/controls/CGridCore.h"

#include <QString>
#include <QStringList>
#include <QVector>

class CDaoDatabase;

// The rules shared by the editable tables of ordered records (products of
// a category, articles of a section): the records of one group (or all,
// group 0) in their order (Ordine), one page of 12 at a time in a virtual
// grid whose row 0 is the header, column 0 the code and column 1 one of the
// record's texts in the editing language. A row typed into is saved when
// the cursor leaves the row, before the grid pages and before the view
// closes, and a failed save keeps the cursor on the row. Move up and Move
// down trade the order with the neighbouring record of the list, across
// page edges, and the record stays current.
//
// Both tables page, guard and reorder alike; what differs is which columns
// they show and which table a row is written to, and that is what a
// derived class supplies. It drives a CGridCore (the view's CGridCtrl, or a
// plain one in tests).
class COrderedTableCore
{
public:
    static constexpr int kRowsPerPage = 12;

    COrderedTableCore(CDaoDatabase& database, CGridCore& grid);
    virtual ~COrderedTableCore();

    void SetLanguages(const QString& current, const QString& fallback);
    // Shows the current page again (after a change of language).
    void Reload() { ShowPage(m_nFirst); }
    // Sets the grid up and shows the first page of every record.
    void Start();

    // Shows the records of group id (0: all) from the first page.
    void ChooseGroup(qint32 id);
    qint32 Group() const { return m_nGroup; }

    // The names of the texts column 1 can show, and the choice of one.
    virtual QStringList ShownTextNames() const = 0;
    virtual void ChooseShownText(int index) = 0;

    // Grid notifications. CellLeave answers non-zero to keep the cursor.
    int CellLeave(GridNotifyInfo& info);
    void CellEnter(const GridNotifyInfo& info);
    // Answers the new scroll position (the first record shown, from 1),
    // or 0 when the page does not move.
    int Paging(CGridCore::PagingMessage message, int position);

    // The row being edited.
    bool IsRowModified();
    bool SaveRow();
    QString Error() const { return m_strError; }
    int CurRow() const { return m_nCurRow; }
    int CurCol() const { return m_nCurCol; }

    bool CanMoveUp() const;
    bool CanMoveDown() const;
    bool MoveUp() { return Move(-1); }
    bool MoveDown() { return Move(+1); }

    int FirstShown() const { return m_nFirst; }   // index of the record in grid row 1

protected:
    struct Entry
    {
        qint32 id;
        QString code;
        qint32 order;
    };

    int EntryCount() const { return m_entries.size(); }
    // The record of grid row row (from 1); 0 when none.
    qint32 EntryAt(int row) const;
    bool SaveIfModified();
    void ShowPage(int first);

    // What a table supplies: its columns 1.. and header, the records of
    // the group in their order, a row's cells from the record, the cells
    // whose change makes the row modified, the row written back and two
    // records' order traded. Writes throw CDaoException with the text to show.
    virtual void SetColumns() = 0;
    virtual QString HeaderRow() const = 0;
    virtual QVector<Entry> LoadEntries(qint32 group) = 0;
    virtual void FillRow(int row, const Entry& entry) = 0;
    virtual QStringList RowState(int row) = 0;
    virtual void WriteRow(int row, qint32 id) = 0;
    virtual void TradeOrder(const Entry& a, const Entry& b) = 0;

    CDaoDatabase& m_db;
    CGridCore& m_grid;
    QString m_strCurrent;
    QString m_strDefault;
    int m_nText = 0;   // the text column 1 shows

private:
    void Load();
    void AddGridRow(const Entry& entry);
    bool Move(int direction);
    int EntryIndex() const;

    qint32 m_nGroup = 0;
    QVector<Entry> m_entries;
    QVector<QStringList> m_shown;   // per grid row (0 the header): the edited cells as filled
    int m_nFirst = 0;
    int m_nCurRow = -1;
    int m_nCurCol = -1;
    QString m_strError;
};
