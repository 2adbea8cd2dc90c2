#pragma once

#include "desktop/design/CStileColorChooser.h"

#include <QWidget>

class CColorSwatch;
class QPushButton;

// A colour of a style page: its swatch, "Cambia" (the colour chooser) and
// "Elimina" (no colour, stored as "").
class CStileColoreRiga : public QWidget
{
    Q_OBJECT
public:
    CStileColoreRiga(CStileColorChooser::CustomColours& custom, QWidget* parent = nullptr);

    // "#RRGGBB" or "" for no colour.
    void ShowColour(const QString& colour);
    QString GetColour() const;

    QPushButton* ChangeButton() const { return m_pChange; }
    QPushButton* DeleteButton() const { return m_pDelete; }

signals:
    void ColourEdited(const QString& colour);

private:
    void OnChange();
    void OnDelete();

    CStileColorChooser::CustomColours& m_custom;
    CColorSwatch* m_pSwatch;
    QPushButton* m_pChange;
    QPushButton* m_pDelete;
};
