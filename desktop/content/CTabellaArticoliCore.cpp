#include "desktop/content/CTabellaArticoliCore.h"

#include "desktop/content/CContentRows.h"
#include "desktop/shell/controls/CValueFormat.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoException.h"
#include "platform/dao/CDaoTransaction.h"
#include "recordset/CArticoliGenSet.h"
#include "recordset/CArticoliLinSet.h"

namespace {

constexpr int kFirstDateCol = 2;
constexpr int kCheckCol = 5;
constexpr int kTextLength = 100;
const char* const kDateColumns[3] = {"DataPubblicazione", "PubblicazioneDallaData", "PubblicazioneAllaData"};

bool FindById(CArticoliGenSet& set, qint32 id)
{
    return CContentRows::FindById(set, id);
}

} // namespace

CTabellaArticoliCore::CTabellaArticoliCore(CDaoDatabase& database, CGridCore& grid) : m_db(database), m_grid(grid)
{
}

QStringList CTabellaArticoliCore::TextNames()
{
    return {QStringLiteral("Titolo"), QStringLiteral("Sottotitolo"), QStringLiteral("Testo"), QStringLiteral("Autore")};
}

void CTabellaArticoliCore::SetLanguages(const QString& current, const QString& fallback)
{
    m_strCurrent = current;
    m_strDefault = fallback;
}

void CTabellaArticoliCore::Start()
{
    m_grid.SetColumnCount(6);
    m_grid.SetColumn(0, 70, GridCell::TextKind);
    m_grid.SetColumn(1, 228, GridCell::TextKind);
    m_grid.SetColumn(2, 100, GridCell::Edit, {}, GridCell::Centre, CValueFormat::Date, 8);
    m_grid.SetColumn(3, 70, GridCell::Edit, {}, GridCell::Centre, CValueFormat::Date, 8);
    m_grid.SetColumn(4, 70, GridCell::Edit, {}, GridCell::Centre, CValueFormat::Date, 8);
    m_grid.SetColumn(kCheckCol, 40, GridCell::Check, {}, GridCell::Centre);
    m_grid.SetVirtualMode(true, kRowsPerPage);
    LoadArticles();
    ShowPage(0);
}

void CTabellaArticoliCore::ChooseSection(qint32 id)
{
    m_nSection = id;
    LoadArticles();
    ShowPage(0);
}

void CTabellaArticoliCore::ChooseText(int text)
{
    if (!SaveIfModified())
        return;
    m_nText = qBound(0, text, 3);
    m_grid.SetVirtualPos(1);
    ShowPage(0);
}

// With a section, the table class's join lists each article of it once
// per link; "Tutte le sezioni" lists every article once.
void CTabellaArticoliCore::LoadArticles()
{
    m_articles.clear();
    CArticoliGenSet set(&m_db);
    if (m_nSection > 0) {
        set.m_bJoin = true;
        set.SetFilter(CDaoCriteria::Format(QStringLiteral("IDSezione=%d"), {m_nSection}));
    }
    set.m_strSort = QStringLiteral("Ordine");
    set.Open();
    for (; !set.IsEOF(); set.MoveNext())
        m_articles.append(Article{set.m_ID, set.m_Codice, set.m_Ordine});
    m_grid.SetVirtualPos(1);
    m_grid.SetVirtualCount(m_articles.size());
}

void CTabellaArticoliCore::ShowPage(int first)
{
    m_nFirst = qMax(0, qMin(first, static_cast<int>(m_articles.size()) - kRowsPerPage));
    m_grid.SetCurCell(-1, -1);
    m_nCurRow = m_nCurCol = -1;
    m_grid.DeleteAllRows();
    if (m_grid.GetRowCount() == 0) {
        m_grid.AddRow(QStringLiteral("Codice\tDescrizione\tData Pubblicazione\tDalla Data\tAlla Data\tAttivo\t"));
        m_grid.SetFixedFirstRow(true);
        for (int col = 0; col < 6; ++col)
            m_grid.SetCellAlign(0, col, GridCell::Centre);
    }
    m_grid.SetCellText(0, 1, TextNames().at(m_nText));
    m_shown = {QStringList()};
    const int last = qMin(static_cast<int>(m_articles.size()), m_nFirst + kRowsPerPage);
    for (int i = m_nFirst; i < last; ++i)
        AddGridRow(m_articles.at(i));
}

void CTabellaArticoliCore::AddGridRow(const Article& article)
{
    CArticoliLinSet texts(&m_db);
    QString text;
    for (const QString& language : {m_strCurrent, m_strDefault}) {
        texts.SetFilter(CDaoCriteria::Format(QStringLiteral("IDArticolo=%d AND CodiceLingua='%s'"),
                                             {article.id, language}));
        if (texts.IsOpen())
            texts.Requery();
        else
            texts.Open();
        if (!texts.IsEOF()) {
            const QString all[4] = {texts.m_Titolo, texts.m_Sottotitolo, texts.m_Testo, texts.m_Autore};
            text = all[m_nText].left(kTextLength);
            break;
        }
    }
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const int row = m_grid.AddRow(QStringLiteral("\t\t\t\t\t\t"));
    m_grid.SetCellText(row, 0, article.code);
    m_grid.SetCellText(row, 1, text);
    CArticoliGenSet set(&m_db);
    if (FindById(set, article.id)) {
        for (int k = 0; k < 3; ++k) {
            const QString column = QString::fromLatin1(kDateColumns[k]);
            if (!set.IsFieldNull(column))
                m_grid.SetCellDate(row, kFirstDateCol + k, set.GetFieldValue(column).toDateTime());
        }
        m_grid.SetCellCheck(row, kCheckCol, set.m_Attivo ? 1 : 0);
    }
    m_grid.SetRowData(row, article.id);
    m_shown.append(RowState(row));
}

QStringList CTabellaArticoliCore::RowState(int row)
{
    QStringList state;
    for (int k = 0; k < 3; ++k)
        state << m_grid.GetCellText(row, kFirstDateCol + k);
    state << QString::number(m_grid.GetCellCheck(row, kCheckCol));
    return state;
}

qint32 CTabellaArticoliCore::ArticleAt(int row) const
{
    const int index = m_nFirst + row - 1;
    return row >= 1 && index < m_articles.size() ? m_articles.at(index).id : 0;
}

int CTabellaArticoliCore::ArticleIndex() const
{
    return m_nCurRow >= 1 && m_nFirst + m_nCurRow - 1 < m_articles.size() ? m_nFirst + m_nCurRow - 1 : -1;
}

void CTabellaArticoliCore::CellEnter(const GridNotifyInfo& info)
{
    m_nCurRow = info.toRow;
    m_nCurCol = info.toCol;
}

int CTabellaArticoliCore::CellLeave(GridNotifyInfo& info)
{
    // Moving within the row writes nothing; the step toward (0, 0) before
    // a paging message is answered by the paging, which saves first.
    if (info.toRow <= 0 || info.toRow == info.fromRow)
        return 0;
    return SaveIfModified() ? 0 : 1;
}

bool CTabellaArticoliCore::IsRowModified()
{
    if (m_nCurRow < 1 || m_nCurRow >= m_grid.GetRowCount() || m_nCurRow >= m_shown.size())
        return false;
    return RowState(m_nCurRow) != m_shown.at(m_nCurRow);
}

bool CTabellaArticoliCore::SaveIfModified()
{
    return !IsRowModified() || SaveRow();
}

// Only the article's row is written. An emptied "Dalla Data" or "Alla
// Data" opens the window on that side (NULL); the publication date always
// has a value, so an emptied one keeps the stored date.
bool CTabellaArticoliCore::SaveRow()
{
    m_strError.clear();
    if (m_nCurRow < 1 || m_nCurRow >= m_grid.GetRowCount())
        return true;
    const qint32 id = m_grid.GetRowData(m_nCurRow);
    CArticoliGenSet set(&m_db);
    try {
        if (!FindById(set, id))
            throw CDaoException(QStringLiteral("Articolo %1 non trovato.").arg(id));
        set.Edit();
        for (int k = 0; k < 3; ++k) {
            const QString column = QString::fromLatin1(kDateColumns[k]);
            const bool empty = m_grid.GetCellText(m_nCurRow, kFirstDateCol + k).trimmed().isEmpty();
            if (!empty)
                set.SetFieldValue(column, m_grid.GetCellDate(m_nCurRow, kFirstDateCol + k));
            else if (k > 0)
                set.SetFieldValueNull(column);
        }
        set.m_Attivo = m_grid.GetCellCheck(m_nCurRow, kCheckCol) != 0;
        set.m_Modificato = true;
        set.Update();
    } catch (const CDaoException& e) {
        m_strError = e.GetErrorMessage();
        if (set.IsOpen() && set.GetEditMode() != dbEditNone)
            set.CancelUpdate();
        return false;
    }
    m_shown[m_nCurRow] = RowState(m_nCurRow);
    return true;
}

int CTabellaArticoliCore::Paging(CGridCore::PagingMessage message, int position)
{
    if (!SaveIfModified())
        return 0;
    const int lastFirst = qMax(0, static_cast<int>(m_articles.size()) - kRowsPerPage);
    int first = m_nFirst;
    switch (message) {
    case CGridCore::MsgLineUp: first = m_nFirst - 1; break;
    case CGridCore::MsgLineDown: first = m_nFirst + 1; break;
    case CGridCore::MsgPageUp: first = m_nFirst - kRowsPerPage; break;
    case CGridCore::MsgPageDown: first = m_nFirst + kRowsPerPage; break;
    case CGridCore::MsgThumb: first = position - 1; break;
    }
    first = qBound(0, first, lastFirst);
    m_grid.SetCurCell(-1, -1);
    m_nCurRow = m_nCurCol = -1;
    if (first == m_nFirst)
        return 0;
    ShowPage(first);
    return first + 1;
}

bool CTabellaArticoliCore::CanMoveUp() const
{
    const int index = ArticleIndex();
    return index > 0;
}

bool CTabellaArticoliCore::CanMoveDown() const
{
    const int index = ArticleIndex();
    return index >= 0 && index + 1 < m_articles.size();
}

// The cursor's article trades places with its neighbour in the list shown
// (the neighbour may be on the next or previous page); a typed row is
// saved first, and the article stays current.
bool CTabellaArticoliCore::Move(int direction)
{
    if (direction < 0 ? !CanMoveUp() : !CanMoveDown())
        return false;
    if (!SaveIfModified())
        return false;
    const int index = ArticleIndex();
    const int other = index + direction;
    const int col = m_nCurCol;
    try {
        if (!CContentRows::SwapOrder<CArticoliGenSet>(m_db, m_articles.at(index).id, m_articles.at(other).id))
            throw CDaoException(QStringLiteral("Articolo non trovato."));
    } catch (const CDaoException& e) {
        m_strError = e.GetErrorMessage();
        return false;
    }
    std::swap(m_articles[index].order, m_articles[other].order);
    m_articles.swapItemsAt(index, other);
    int first = m_nFirst;
    if (other < first)
        first = other;
    else if (other >= first + kRowsPerPage)
        first = other - kRowsPerPage + 1;
    if (first != m_nFirst)
        m_grid.SetVirtualPos(first + 1);
    ShowPage(first);
    m_nCurRow = other - m_nFirst + 1;
    m_nCurCol = col;
    m_grid.SetCurCell(m_nCurRow, m_nCurCol);
    return true;
}
