#include "desktop/catalogue/CProdottiCustomCore.h"

#include "desktop/shell/controls/CGridCore.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "recordset/CDefCampiCustomSet.h"

#include <QColor>
#include <QStringList>

CProdottiCustomCore::CProdottiCustomCore(CDaoDatabase& db, CGridCore& grid)
    : m_grid(grid), m_pDefinizioni(std::make_unique<CDefCampiCustomSet>(&db))
{
    m_pDefinizioni->m_strFilter = QStringLiteral("IDCategoria=0");
    m_pDefinizioni->m_strSort = QStringLiteral("ID");
    m_pDefinizioni->Open();
}

CProdottiCustomCore::~CProdottiCustomCore() = default;

void CProdottiCustomCore::InitGrid()
{
    m_grid.SetColumnCount(ColumnCount);
    m_grid.SetColumn(ColNome, 125, GridCell::TextKind);
    m_grid.SetColumn(ColValore, 174, GridCell::Edit);
    m_grid.AddRow(QStringLiteral("Nome\tValore\t"));
    m_grid.SetCellAlign(0, ColNome, GridCell::Centre);
    m_grid.SetCellAlign(0, ColValore, GridCell::Centre);
    m_grid.SetFixedFirstRow(true);
    m_grid.SetColumnBkColor(ColValore, QColor(255, 255, 200));
    m_bInitialised = true;
}

void CProdottiCustomCore::SetCategories(const QVector<qint32>& categoryIds)
{
    m_categories = categoryIds;
}

void CProdottiCustomCore::LoadCustomValues()
{
    m_values.clear();
    for (const CCampiCustom::Field& field : CCampiCustom::Decode(m_strCampiCustom))
        m_values.insert(field.first, field.second);   // a repeated name keeps its last value

    while (m_grid.GetRowCount() > 1)
        m_grid.DeleteRow(m_grid.GetRowCount() - 1);
    QString filter = QStringLiteral("IDCategoria=0");
    QVariantList params;
    for (qint32 id : m_categories) {
        filter += QStringLiteral(" OR IDCategoria=?");
        params << id;
    }
    m_pDefinizioni->m_strFilter = filter;
    m_pDefinizioni->m_filterParams = params;
    m_pDefinizioni->Close();   // a new filter text needs a new statement
    m_pDefinizioni->Open();
    for (; !m_pDefinizioni->IsEOF(); m_pDefinizioni->MoveNext()) {
        const int row = m_grid.AddRow(QStringLiteral("\t\t"));
        m_grid.SetCellText(row, ColNome, m_pDefinizioni->m_Nome);
        // The definition's type, length and decimals are the cell's format.
        m_grid.SetCellKind(row, ColValore, GridCell::Edit);
        m_grid.SetCellFormat(row, ColValore, m_pDefinizioni->m_Tipo, m_pDefinizioni->m_Lunghezza,
                             m_pDefinizioni->m_Decimali);
        m_grid.SetCellText(row, ColValore, m_values.value(m_pDefinizioni->m_Nome));
    }
}

QVector<CCampiCustom::Field> CProdottiCustomCore::Fields()
{
    QVector<CCampiCustom::Field> fields;
    for (int row = 1; row < m_grid.GetRowCount(); ++row)
        fields.append({m_grid.GetCellText(row, ColNome), m_grid.GetCellText(row, ColValore)});
    return fields;
}

QString CProdottiCustomCore::GetCustomValuesText()
{
    return CCampiCustom::Encode(Fields());
}

QString CProdottiCustomCore::GetCustomValuesWords()
{
    QString words;
    for (const CCampiCustom::Field& field : Fields())
        words += field.second;
    return words;
}

bool CProdottiCustomCore::ValidateCustomValues()
{
    const int bad = CCampiCustom::FirstUnwritable(Fields());
    if (bad < 0)
        return true;
    m_grid.SetCurCell(bad + 1, ColValore);
    CMessageBox::Show(nullptr, QStringLiteral("Il carattere \"|\" non è ammesso nei campi custom."),
                      QStringLiteral("Validazione campi"), CMessageBox::Stop);
    return false;
}
