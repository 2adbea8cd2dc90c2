#pragma once

#include <QColor>
#include <QFrame>

// A small area filled with one colour, or hatched when it has none; it
// reads and writes the colour in the site's text form ("#FF8000").
class CColorSwatch : public QFrame
{
    Q_OBJECT
public:
    explicit CColorSwatch(QWidget* parent = nullptr);

    void SetColor(const QColor& color);
    void SetNoColor();
    bool HasColor() const { return !m_bNoColor; }
    QColor GetColor() const { return m_color; }
    QString GetColorString() const;
    // A text that does not read as a colour leaves the swatch as it was.
    void SetColorString(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color = Qt::black;
    bool m_bNoColor = true;
};
