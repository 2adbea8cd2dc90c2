#include "desktop/design/CStilePagina.h"

#include "desktop/design/CDefinizioneStiliCore.h"
#include "desktop/design/CStileControlli.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

CStilePagina::CStilePagina(CDefinizioneStiliCore& core, QWidget* parent) : QWidget(parent), m_core(core)
{
}

void CStilePagina::Refresh()
{
    for (const auto& [edit, attribute] : m_edits)
        CStileControlli::ShowText(edit, m_core.Get(attribute));
    for (const auto& [combo, attribute] : m_combos)
        CStileControlli::ShowValue(combo, CStileCombo::ForAttribute(attribute), m_core.Get(attribute));
}

void CStilePagina::AddLabel(QGridLayout* grid, int row, const QString& label)
{
    grid->addWidget(new QLabel(label, grid->parentWidget()), row, 0);
}

void CStilePagina::BindEdit(CValidatedEdit* edit, int attribute)
{
    m_edits.append({edit, attribute});
    connect(edit, &QLineEdit::textEdited, this, [this, attribute](const QString& text) { m_core.Set(attribute, text); });
}

CValidatedEdit* CStilePagina::AddLengthRow(QGridLayout* grid, int row, const QString& label, int attribute)
{
    AddLabel(grid, row, label);
    CValidatedEdit* edit = CStileControlli::LengthEdit(this);
    grid->addWidget(edit, row, 1);
    BindEdit(edit, attribute);
    return edit;
}

CValidatedEdit* CStilePagina::AddNumberRow(QGridLayout* grid, int row, const QString& label, int attribute,
                                           int digits)
{
    AddLabel(grid, row, label);
    CValidatedEdit* edit = CStileControlli::NumberEdit(this, digits);
    grid->addWidget(edit, row, 1);
    BindEdit(edit, attribute);
    return edit;
}

QComboBox* CStilePagina::AddComboRow(QGridLayout* grid, int row, const QString& label, int attribute,
                                     CStileCombo::List list)
{
    AddLabel(grid, row, label);
    QComboBox* combo = CStileControlli::Combo(this, list);
    grid->addWidget(combo, row, 1);
    m_combos.append({combo, attribute});
    connect(combo, &QComboBox::activated, this,
            [this, attribute, list](int index) { m_core.Set(attribute, CStileCombo::ValueAt(list, index)); });
    return combo;
}
