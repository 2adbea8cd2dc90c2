#include "desktop/design/CStyleColours.h"

#include "desktop/shell/controls/CColorText.h"
#include "platform/dao/CDaoRecordset.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace {

// Every distinct attribute value that begins with "#", counted over all the
// attributes of all classes, most used first; equal counts in the order
// of their text, so the list is the same every time it is read.
const char* const kCensus =
    "SELECT AttributiCSS.Valore AS Valore, Count(AttributiCSS.Valore) AS ConteggioDiValore "
    "FROM AttributiCSS GROUP BY AttributiCSS.Valore COLLATE NOCASE "
    "HAVING ((substr(AttributiCSS.Valore,1,1)=?)) "
    "ORDER BY Count(AttributiCSS.Valore) DESC, AttributiCSS.Valore COLLATE NOCASE";

// The rows of one entry whose text is not yet the entry's colour.
const char* const kRowsOfEntry =
    "SELECT rowid, IDClasse FROM AttributiCSS WHERE Valore = ? COLLATE NOCASE AND Valore <> ?";

const char* const kRewriteRow = "UPDATE AttributiCSS SET Valore = ? WHERE rowid = ?";

bool IsColourText(const QString& text)
{
    static const QRegularExpression colour(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    return colour.match(text).hasMatch();
}

} // namespace

CStyleColours::CStyleColours(CDaoDatabase& graphic) : m_db(graphic), m_census(std::make_unique<CDaoRecordset>(&graphic))
{
}

CStyleColours::~CStyleColours()
{
    if (m_census->IsOpen())
        m_census->Close();
}

bool CStyleColours::LoadColourCensus()
{
    if (!m_census->IsOpen()) {
        m_census->m_filterParams = {QStringLiteral("#")};
        m_census->Open(dbOpenSnapshot, QString::fromLatin1(kCensus));
    } else {
        m_census->Requery();
    }
    m_entries.clear();
    m_bChanged = false;
    for (; !m_census->IsEOF(); m_census->MoveNext()) {
        const QString text = m_census->GetFieldValue(QStringLiteral("Valore")).toString();
        if (IsColourText(text))
            m_entries.append({text, CColorText::FromString(text),
                              m_census->GetFieldValue(QStringLiteral("ConteggioDiValore")).toInt()});
    }
    if (!m_census->IsBOF() || !m_census->IsEOF())
        m_census->MoveFirst();
    return !m_entries.isEmpty();
}

void CStyleColours::Change(int index, const QColor& colour)
{
    if (index < 0 || index >= m_entries.size())
        return;
    m_entries[index].colour = colour;
    m_bChanged = true;
}

QList<CStyleColours::Rewrite> CStyleColours::RowsToRewrite()
{
    QList<Rewrite> rows;
    QSqlQuery& query = m_db.Prepared(QString::fromLatin1(kRowsOfEntry));
    for (const CStyleColourEntry& entry : std::as_const(m_entries)) {
        const QString value = CColorText::ToString(entry.colour);
        CDaoDatabase::Run(query, {entry.censusText, value});
        while (query.next())
            rows.append({query.value(0).toLongLong(), query.value(1).toInt(), value});
    }
    query.finish();
    return rows;
}

QSet<qint32> CStyleColours::Write()
{
    QSet<qint32> classes;
    m_db.BeginTrans();
    try {
        // Every row is chosen by its value before any is written, so a row
        // written for one entry is never taken again for the next.
        const QList<Rewrite> rows = RowsToRewrite();
        for (const Rewrite& row : rows) {
            m_db.Execute(QString::fromLatin1(kRewriteRow), {row.value, row.row});
            classes.insert(row.classId);
        }
        m_db.CommitTrans();
    } catch (...) {
        m_db.Rollback();
        throw;
    }
    for (CStyleColourEntry& entry : m_entries)
        entry.censusText = CColorText::ToString(entry.colour);
    m_bChanged = false;
    return classes;
}

QString CStyleColours::EntryText(const QColor& colour)
{
    return QStringLiteral("(%1)").arg(RgbText(colour));
}

QString CStyleColours::RgbText(const QColor& colour)
{
    return QStringLiteral("%1, %2, %3").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}
