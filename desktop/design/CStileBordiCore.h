#pragma once

#include <QString>

#include <array>

// The border page without its widgets: width, style and colour of each of
// the four sides (attributes 10 + 3s, 11 + 3s, 12 + 3s for side s: top,
// right, bottom, left), and the one set of controls that shows the side
// chosen in "Bordo". The controls' edits reach a side only when it is
// stored: on choosing another side, on "Tutti uguali" and on reading any
// border attribute.
class CStileBordiCore
{
public:
    static constexpr int kSides = 4;

    // What the controls show: the width as typed, the style's stored value
    // ("" for "Predefinito" or none selected), the colour as "#RRGGBB" or
    // "" for no colour.
    struct Controls
    {
        QString width;
        QString style;
        QString colour;
        bool operator==(const Controls&) const = default;
    };

    int ChosenSide() const { return m_nSide; }   // -1 while none is chosen
    bool AllSameEnabled() const { return m_nSide >= 0; }
    const Controls& GetControls() const { return m_controls; }

    // Edits of the controls, as the page forwards them.
    void SetWidth(const QString& width) { m_controls.width = width; }
    void SetStyle(const QString& style);
    void SetColour(const QString& colour);

    // Stores the controls into the side chosen before, then shows side.
    void ChooseSide(int side);
    // "Tutti uguali": the chosen side's values on all four sides.
    void AllSame();

    // Attributes 10 to 21; others give "" and are ignored.
    QString Get(int attribute);
    // Changes one text and resets the controls (no side chosen).
    void Set(int attribute, const QString& value);

private:
    void StoreControls();
    QString& Text(int side, int part) { return m_texts[size_t(side * 3 + part)]; }

    std::array<QString, kSides * 3> m_texts;
    int m_nSide = -1;
    Controls m_controls;
};
