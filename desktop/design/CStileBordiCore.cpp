#include "desktop/design/CStileBordiCore.h"

#include "desktop/design/CAttributiCatalogo.h"
#include "desktop/design/CStileCombo.h"
#include "desktop/shell/controls/CColorText.h"

namespace {

enum Part { Width, Style, Colour };

// A colour the swatch cannot show is no colour.
QString SwatchColour(const QString& text)
{
    const QColor colour = CColorText::FromString(text);
    return colour.isValid() ? CColorText::ToString(colour) : QString();
}

} // namespace

void CStileBordiCore::SetStyle(const QString& style)
{
    m_controls.style = CStileCombo::Normalise(CStileCombo::BorderStyle, style);
}

void CStileBordiCore::SetColour(const QString& colour)
{
    m_controls.colour = SwatchColour(colour);
}

void CStileBordiCore::StoreControls()
{
    if (m_nSide < 0)
        return;
    Text(m_nSide, Width) = m_controls.width;
    Text(m_nSide, Style) = m_controls.style;
    Text(m_nSide, Colour) = m_controls.colour;
}

void CStileBordiCore::ChooseSide(int side)
{
    if (side < 0 || side >= kSides)
        return;
    StoreControls();
    m_nSide = side;
    m_controls.width = Text(side, Width);
    SetStyle(Text(side, Style));
    SetColour(Text(side, Colour));
}

void CStileBordiCore::AllSame()
{
    if (m_nSide < 0)
        return;
    StoreControls();
    for (int side = 0; side < kSides; ++side) {
        Text(side, Width) = m_controls.width;
        Text(side, Style) = m_controls.style;
        Text(side, Colour) = m_controls.colour;
    }
}

QString CStileBordiCore::Get(int attribute)
{
    if (!CAttributiCatalogo::IsBorder(attribute))
        return QString();
    StoreControls();
    return m_texts[size_t(attribute - CAttributiCatalogo::kFirstBorder)];
}

void CStileBordiCore::Set(int attribute, const QString& value)
{
    if (!CAttributiCatalogo::IsBorder(attribute))
        return;
    m_texts[size_t(attribute - CAttributiCatalogo::kFirstBorder)] = value;
    m_nSide = -1;
    m_controls = Controls();
}
