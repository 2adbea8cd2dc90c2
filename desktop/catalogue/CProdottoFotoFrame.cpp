#include "desktop/catalogue/CProdottoFotoFrame.h"

#include <QPainter>

CProdottoFotoFrame::CProdottoFotoFrame(QWidget* parent) : QFrame(parent)
{
    setFixedSize(252, 198);
}

void CProdottoFotoFrame::SetImage(const QImage& image)
{
    m_image = image;
    update();
}

QRect CProdottoFotoFrame::Placement(const QSize& image, const QRect& area)
{
    if (image.isEmpty() || area.isEmpty())
        return QRect();
    if (image.width() <= area.width() && image.height() <= area.height()) {
        QRect placed(QPoint(0, 0), image);
        placed.moveCenter(area.center());
        return placed;
    }
    // Even sizes keep the centring exact; 2 pixels stay free on each side.
    const QRect inner = QRect(area.topLeft(), QSize(area.width() & ~1, area.height() & ~1)).adjusted(2, 2, -2, -2);
    QSize scaled = image.scaled(inner.size(), Qt::KeepAspectRatio);
    QRect placed(QPoint(0, 0), scaled);
    placed.moveCenter(inner.center());
    return placed;
}

void CProdottoFotoFrame::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_image.isNull())
        return;
    const QRect area = rect().adjusted(6, 12, -6, -6);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(Placement(m_image.size(), area), m_image);
}
