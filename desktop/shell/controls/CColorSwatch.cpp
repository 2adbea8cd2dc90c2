#include "desktop/shell/controls/CColorSwatch.h"

#include "desktop/shell/controls/CColorText.h"

#include <QPainter>

CColorSwatch::CColorSwatch(QWidget* parent) : QFrame(parent)
{
    setMinimumSize(16, 16);
}

void CColorSwatch::SetColor(const QColor& color)
{
    m_bNoColor = false;
    m_color = color;
    update();
}

void CColorSwatch::SetNoColor()
{
    m_bNoColor = true;
    update();
}

QString CColorSwatch::GetColorString() const
{
    return m_bNoColor ? QString() : CColorText::ToString(m_color);
}

void CColorSwatch::SetColorString(const QString& text)
{
    const QColor color = CColorText::FromString(text);
    if (color.isValid())
        SetColor(color);
}

void CColorSwatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    if (m_bNoColor) {
        painter.setPen(Qt::black);
        painter.setBrush(QBrush(Qt::black, Qt::BDiagPattern));
    } else {
        painter.setPen(m_color);
        painter.setBrush(m_color);
    }
    painter.drawRect(box);
}
