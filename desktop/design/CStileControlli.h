#pragma once

#include "desktop/design/CStileCombo.h"

#include <QString>

class CValidatedEdit;
class QComboBox;
class QWidget;

// The controls the style pages share: the entry fields that take only
// what an attribute may hold, and the lists mapped to stored values.
class CStileControlli
{
public:
    // A length: digits and "%", at most four characters.
    static CValidatedEdit* LengthEdit(QWidget* parent);
    // A whole number of at most `digits` digits.
    static CValidatedEdit* NumberEdit(QWidget* parent, int digits);
    static QComboBox* Combo(QWidget* parent, CStileCombo::List list);
    static void ShowValue(QComboBox* combo, CStileCombo::List list, const QString& value);
    // Puts text in an edit without passing for a merchant's edit.
    static void ShowText(CValidatedEdit* edit, const QString& text);
};
