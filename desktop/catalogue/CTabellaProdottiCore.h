#pragma once

#include "desktop/shell/controls/CGridCore.h"

#include <QString>
#include <QVector>

class CDaoDatabase;
class CProdottiLingueSet;

// The rules of the product price table: the products of one category (or
// all) in their display order, one page of 12 at a time in the grid, each
// with its code, a description and the four list prices of the editing
// language; prices typed into a row are saved when the cursor leaves the
// row, before the grid pages and before the view closes, and a failed save
// keeps the cursor on the row. Move up and Move down trade the display
// order (Ordine) with the neighbouring product of the list shown.
//
// Prices belong to the language row (each language has its own currency):
// they are always written into the editing language's row, which is made
// from the default language's texts when the product has none yet.
//
// It drives a CGridCore (the view's CGridCtrl, or a plain one in tests).
class CTabellaProdottiCore
{
public:
    static constexpr int kRowsPerPage = 12;
    enum Description { Nome = 0, DescrizioneFattura, DescrizioneBreve, DescrizioneEstesa };

    CTabellaProdottiCore(CDaoDatabase& database, CGridCore& grid);
    ~CTabellaProdottiCore();

    void SetLanguages(const QString& current, const QString& fallback);
    // Shows the current page again (after a change of language).
    void Reload() { ShowPage(m_nFirst); }
    // Sets the grid up and shows the first page of every product.
    void Start();

    void ChooseCategory(qint32 id);
    qint32 Category() const { return m_nCategory; }
    void ChooseDescription(int description);
    static QStringList DescriptionNames();

    // Grid notifications. CellLeave answers non-zero to keep the cursor.
    int CellLeave(GridNotifyInfo& info);
    void CellEnter(const GridNotifyInfo& info);
    // Answers the new scroll position (the first product shown, from 1),
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

    int ProductCount() const { return m_products.size(); }
    int FirstShown() const { return m_nFirst; }   // index of the product in grid row 1

private:
    struct Product
    {
        qint32 id;
        QString code;
        qint32 order;
    };

    void LoadProducts();
    void ShowPage(int first);
    void AddGridRow(const Product& product);
    bool FindLanguageRow(CProdottiLingueSet& rows, qint32 productId, const QString& language);
    bool SaveIfModified();
    bool Move(int direction);
    void TradeOrder(const Product& a, const Product& b);
    int ProductIndex() const;

    CDaoDatabase& m_db;
    CGridCore& m_grid;
    QString m_strCurrent;
    QString m_strDefault;
    qint32 m_nCategory = 0;
    int m_nDescription = Nome;
    QVector<Product> m_products;
    QVector<QStringList> m_shownPrices;   // per grid row (0 the header): the price texts as filled
    int m_nFirst = 0;
    int m_nCurRow = -1;
    int m_nCurCol = -1;
    QString m_strError;
};
