#pragma once

#include "desktop/shell/controls/CGridCore.h"

#include <QString>
#include <QStringList>
#include <QVector>

class CDaoDatabase;

// The rules of "Tabella articoli": the articles of one section (or all)
// in their order, one page of 12 at a time in the grid, each with its
// code, one of its texts in the editing language, its three publication
// dates and "Attivo"; a row typed into is saved when the cursor leaves the
// row, before the grid pages and before the view closes. Move up and Move
// down trade the order (Ordine) with the neighbouring article of the list,
// across page edges. It drives a CGridCore (the view's CGridCtrl, or a
// plain one in tests).
class CTabellaArticoliCore
{
public:
    static constexpr int kRowsPerPage = 12;
    enum Text { Titolo = 0, Sottotitolo, Testo, Autore };

    CTabellaArticoliCore(CDaoDatabase& database, CGridCore& grid);

    void SetLanguages(const QString& current, const QString& fallback);
    void Reload() { ShowPage(m_nFirst); }
    // Sets the grid up and shows the first page of every article.
    void Start();

    void ChooseSection(qint32 id);
    qint32 Section() const { return m_nSection; }
    void ChooseText(int text);
    static QStringList TextNames();

    // Grid notifications. CellLeave answers non-zero to keep the cursor.
    int CellLeave(GridNotifyInfo& info);
    void CellEnter(const GridNotifyInfo& info);
    // The new scroll position (the first article shown, from 1), or 0.
    int Paging(CGridCore::PagingMessage message, int position);

    bool IsRowModified();
    bool SaveRow();
    QString Error() const { return m_strError; }
    int CurRow() const { return m_nCurRow; }
    int CurCol() const { return m_nCurCol; }

    bool CanMoveUp() const;
    bool CanMoveDown() const;
    bool MoveUp() { return Move(-1); }
    bool MoveDown() { return Move(+1); }

    int ArticleCount() const { return m_articles.size(); }
    int FirstShown() const { return m_nFirst; }
    // The article of grid row row (from 1); 0 when none.
    qint32 ArticleAt(int row) const;

private:
    struct Article
    {
        qint32 id;
        QString code;
        qint32 order;
    };

    void LoadArticles();
    void ShowPage(int first);
    void AddGridRow(const Article& article);
    QStringList RowState(int row);
    bool SaveIfModified();
    bool Move(int direction);
    int ArticleIndex() const;

    CDaoDatabase& m_db;
    CGridCore& m_grid;
    QString m_strCurrent;
    QString m_strDefault;
    qint32 m_nSection = 0;
    int m_nText = Titolo;
    QVector<Article> m_articles;
    QVector<QStringList> m_shown;   // per grid row (0 the header): dates and check as filled
    int m_nFirst = 0;
    int m_nCurRow = -1;
    int m_nCurCol = -1;
    QString m_strError;
};
