#include "desktop/content/CTabellaArticoliCore.h"

#include "desktop/content/CContentRows.h"
#include "desktop/shell/controls/CValueFormat.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoException.h"
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

CTabellaArticoliCore::CTabellaArticoliCore(CDaoDatabase& database, CGridCore& grid)
    : COrderedTableCore(database, grid)
{
}

QStringList CTabellaArticoliCore::TextNames()
{
    return {QStringLiteral("Titolo"), QStringLiteral("Sottotitolo"), QStringLiteral("Testo"), QStringLiteral("Autore")};
}

void CTabellaArticoliCore::SetColumns()
{
    m_grid.SetColumn(2, 100, GridCell::Edit, {}, GridCell::Centre, CValueFormat::Date, 8);
    m_grid.SetColumn(3, 70, GridCell::Edit, {}, GridCell::Centre, CValueFormat::Date, 8);
    m_grid.SetColumn(4, 70, GridCell::Edit, {}, GridCell::Centre, CValueFormat::Date, 8);
    m_grid.SetColumn(kCheckCol, 40, GridCell::Check, {}, GridCell::Centre);
}

QString CTabellaArticoliCore::HeaderRow() const
{
    return QStringLiteral("Codice\tDescrizione\tData Pubblicazione\tDalla Data\tAlla Data\tAttivo\t");
}

// A typed row is saved before the rows are shown again from the first.
void CTabellaArticoliCore::ChooseShownText(int index)
{
    if (!SaveIfModified())
        return;
    m_nText = qBound(0, index, 3);
    m_grid.SetVirtualPos(1);
    ShowPage(0);
}

// With a section, the table class's join lists each article of it once
// per link; "Tutte le sezioni" lists every article once.
QVector<COrderedTableCore::Entry> CTabellaArticoliCore::LoadEntries(qint32 section)
{
    QVector<Entry> articles;
    CArticoliGenSet set(&m_db);
    if (section > 0) {
        set.m_bJoin = true;
        set.SetFilter(CDaoCriteria::Format(QStringLiteral("IDSezione=%d"), {section}));
    }
    set.m_strSort = QStringLiteral("Ordine");
    set.Open();
    for (; !set.IsEOF(); set.MoveNext())
        articles.append(Entry{set.m_ID, set.m_Codice, set.m_Ordine});
    return articles;
}

void CTabellaArticoliCore::FillRow(int row, const Entry& article)
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
}

QStringList CTabellaArticoliCore::RowState(int row)
{
    QStringList state;
    for (int k = 0; k < 3; ++k)
        state << m_grid.GetCellText(row, kFirstDateCol + k);
    state << QString::number(m_grid.GetCellCheck(row, kCheckCol));
    return state;
}

// An emptied "Dalla Data" or "Alla Data" opens the window on that side
// (NULL); the publication date always has a value, so an emptied one keeps
// the stored date.
void CTabellaArticoliCore::WriteRow(int row, qint32 id)
{
    CArticoliGenSet set(&m_db);
    try {
        if (!FindById(set, id))
            throw CDaoException(QStringLiteral("Articolo %1 non trovato.").arg(id));
        set.Edit();
        for (int k = 0; k < 3; ++k) {
            const QString column = QString::fromLatin1(kDateColumns[k]);
            const bool empty = m_grid.GetCellText(row, kFirstDateCol + k).trimmed().isEmpty();
            if (!empty)
                set.SetFieldValue(column, m_grid.GetCellDate(row, kFirstDateCol + k));
            else if (k > 0)
                set.SetFieldValueNull(column);
        }
        set.m_Attivo = m_grid.GetCellCheck(row, kCheckCol) != 0;
        set.m_Modificato = true;
        set.Update();
    } catch (const CDaoException&) {
        if (set.IsOpen() && set.GetEditMode() != dbEditNone)
            set.CancelUpdate();
        throw;
    }
}

void CTabellaArticoliCore::TradeOrder(const Entry& a, const Entry& b)
{
    if (!CContentRows::SwapOrder<CArticoliGenSet>(m_db, a.id, b.id))
        throw CDaoException(QStringLiteral("Articolo non trovato."));
}
