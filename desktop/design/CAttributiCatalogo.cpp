#include "desktop/design/CAttributiCatalogo.h"

#include <array>

namespace {

constexpr std::array<const char*, CAttributiCatalogo::kCount> kProperties = {
    "width", "height", "text-align", "vertical-align", "background-color", "color",
    "margin-top", "margin-right", "margin-bottom", "margin-left",
    "", "", "", "", "", "", "", "", "", "", "", "",
    "padding-top", "padding-right", "padding-bottom", "padding-left",
    "background-image", "background-position", "background-repeat",
    "font-family", "font-style", "font-weight", "font-size", "float", "text-decoration"};

} // namespace

QString CAttributiCatalogo::Property(int id)
{
    return IsKnown(id) ? QString::fromLatin1(kProperties[static_cast<size_t>(id)]) : QString();
}

bool CAttributiCatalogo::IsLength(int id)
{
    switch (id) {
    case 0: case 1: case 6: case 7: case 8: case 9:
    case 22: case 23: case 24: case 25: case 27: case 32:
    case 10: case 13: case 16: case 19:
        return true;
    default:
        return false;
    }
}

QString CAttributiCatalogo::WithUnit(const QString& value)
{
    QString result = value;
    while (!result.isEmpty() && result.back().isSpace())
        result.chop(1);
    return result.endsWith(QLatin1Char('%')) ? result : result + QStringLiteral("px");
}

QString CAttributiCatalogo::BorderSide(int firstOfGroup)
{
    switch (firstOfGroup) {
    case 10: return QStringLiteral("border-top");
    case 13: return QStringLiteral("border-right");
    case 16: return QStringLiteral("border-bottom");
    case 19: return QStringLiteral("border-left");
    default: return QString();
    }
}
