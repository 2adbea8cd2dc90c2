#include "desktop/design/CStileControlli.h"

#include "desktop/shell/controls/CValidatedEdit.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace {

CValidatedEdit* TextEdit(QWidget* parent, int width, const QString& allowed)
{
    auto* edit = new CValidatedEdit(parent);
    edit->SetParam(0, width, 0, 0);
    edit->SetAllowedChr(allowed);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8 + 16);
    return edit;
}

} // namespace

CValidatedEdit* CStileControlli::LengthEdit(QWidget* parent)
{
    return TextEdit(parent, 4, QStringLiteral("0123456789%"));
}

CValidatedEdit* CStileControlli::NumberEdit(QWidget* parent, int digits)
{
    return TextEdit(parent, digits, QStringLiteral("0123456789"));
}

QComboBox* CStileControlli::Combo(QWidget* parent, CStileCombo::List list)
{
    auto* combo = new QComboBox(parent);
    combo->addItems(CStileCombo::Labels(list));
    return combo;
}

void CStileControlli::ShowValue(QComboBox* combo, CStileCombo::List list, const QString& value)
{
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(CStileCombo::IndexOf(list, value));
}

void CStileControlli::ShowText(CValidatedEdit* edit, const QString& text)
{
    const QSignalBlocker blocker(edit);
    edit->SetValue(text);
}
