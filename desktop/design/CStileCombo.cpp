#include "desktop/design/CStileCombo.h"

#include <span>

namespace {

struct Entry
{
    const char* label;
    const char* value;
};

using Entries = std::span<const Entry>;

constexpr Entry kHorizontalAlign[] = {{"Predefinito", ""}, {"Sinistro", "left"}, {"Centrato", "center"},
                                      {"Destro", "right"}, {"Giustificato", "justify"}};
// Centring is "center" here too: the pages were always written so.
constexpr Entry kVerticalAlign[] = {{"Predefinito", ""}, {"Alto", "top"}, {"Centrato", "center"}, {"Basso", "bottom"}};
constexpr Entry kFloat[] = {{"Nessuno", ""}, {"Sinistra", "left"}, {"Destra", "right"}};
constexpr Entry kBorderStyle[] = {{"Predefinito", ""}, {"Nessuno", "none"}, {"Punteggiato", "dotted"},
                                  {"Tratteggiato", "dashed"}, {"Solido", "solid"}, {"Doppio", "double"},
                                  {"Scanalato", "groove"}, {"Cresta", "ridge"}, {"Incavato", "inset"},
                                  {"Elevato", "outset"}};
constexpr Entry kRepeat[] = {{"Predefinito", ""}, {"Completa", "repeat"}, {"Orizzontale", "repeat-x"},
                             {"Verticale", "repeat-y"}, {"Nessuna", "no-repeat"}};
constexpr Entry kFontFamily[] = {{"Predefinito", ""}, {"Con grazie", "Times"},
                                 {"Senza grazie", "Verdana, Helvetica, Arial"}};
constexpr Entry kFontStyle[] = {{"Predefinito", ""}, {"Normale", "normal"}, {"Corsivo", "italic"}};
constexpr Entry kFontWeight[] = {{"Predefinito", ""}, {"Normale", "normal"}, {"Grassetto", "bold"}};
constexpr Entry kDecoration[] = {{"Predefinito", ""}, {"Nessuno", "none"}, {"Sottolineato", "underline"},
                                 {"Sopralineato", "overline"}, {"Barrato", "line-through"}};

Entries EntriesOf(CStileCombo::List list)
{
    switch (list) {
    case CStileCombo::HorizontalAlign: return kHorizontalAlign;
    case CStileCombo::VerticalAlign: return kVerticalAlign;
    case CStileCombo::Float: return kFloat;
    case CStileCombo::BorderStyle: return kBorderStyle;
    case CStileCombo::Repeat: return kRepeat;
    case CStileCombo::FontFamily: return kFontFamily;
    case CStileCombo::FontStyle: return kFontStyle;
    case CStileCombo::FontWeight: return kFontWeight;
    case CStileCombo::Decoration: return kDecoration;
    case CStileCombo::None: break;
    }
    return {};
}

} // namespace

QStringList CStileCombo::Labels(List list)
{
    QStringList labels;
    for (const auto& entry : EntriesOf(list))
        labels << QString::fromUtf8(entry.label);
    return labels;
}

QString CStileCombo::ValueAt(List list, int index)
{
    const Entries entries = EntriesOf(list);
    if (index <= 0 || index >= int(entries.size()))
        return QString();
    return QString::fromUtf8(entries[size_t(index)].value);
}

int CStileCombo::IndexOf(List list, const QString& value)
{
    int index = 0;
    for (const auto& entry : EntriesOf(list)) {
        if (index > 0 && value == QString::fromUtf8(entry.value))
            return index;
        ++index;
    }
    return 0;
}

CStileCombo::List CStileCombo::ForAttribute(int attribute)
{
    switch (attribute) {
    case 2: return HorizontalAlign;
    case 3: return VerticalAlign;
    case 28: return Repeat;
    case 29: return FontFamily;
    case 30: return FontStyle;
    case 31: return FontWeight;
    case 33: return Float;
    case 34: return Decoration;
    default: return None;
    }
}

QStringList CStileCombo::BorderSides()
{
    return {QStringLiteral("Superiore"), QStringLiteral("Destro"), QStringLiteral("Inferiore"),
            QStringLiteral("Sinistro")};
}
