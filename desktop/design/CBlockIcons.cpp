#include "desktop/design/CBlockIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QVector>

namespace {

void DrawPage(QPainter& p)
{
    QPolygonF sheet({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}});
    p.setBrush(Qt::white);
    p.drawPolygon(sheet);
    p.drawLine(QPointF(10, 1), QPointF(10, 4));
    p.drawLine(QPointF(10, 4), QPointF(13, 4));
    for (int y = 7; y <= 12; y += 2)
        p.drawLine(QPointF(5, y), QPointF(11, y));
}

void DrawBlock(QPainter& p)
{
    p.setBrush(QColor(0x4a, 0x7e, 0xc8));
    p.drawRect(QRectF(2, 3, 12, 10));
    p.setBrush(QColor(0xc8, 0xdc, 0xf5));
    p.drawRect(QRectF(4, 5, 8, 6));
}

void DrawTable(QPainter& p)
{
    p.setBrush(QColor(0xf2, 0xf2, 0xf2));
    p.drawRect(QRectF(1, 3, 14, 10));
    p.drawLine(QPointF(1, 7), QPointF(15, 7));
    p.drawLine(QPointF(6, 3), QPointF(6, 13));
    p.drawLine(QPointF(10, 3), QPointF(10, 13));
}

void DrawColumn(QPainter& p)
{
    p.setBrush(QColor(0xf2, 0xf2, 0xf2));
    p.drawRect(QRectF(1, 3, 14, 10));
    p.setBrush(QColor(0xe8, 0xa3, 0x3d));
    p.drawRect(QRectF(6, 3, 4, 10));
}

void DrawFeature(QPainter& p)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double radius = i % 2 == 0 ? 7.0 : 3.0;
        star << QPointF(8 + radius * std::cos(angle), 8.5 + radius * std::sin(angle));
    }
    p.setBrush(QColor(0x3c, 0xa5, 0x4a));
    p.drawPolygon(star);
}

void DrawReference(QPainter& p)
{
    p.setBrush(QColor(0xc8, 0xdc, 0xf5));
    p.drawRect(QRectF(1, 5, 9, 9));
    QPainterPath arrow;
    arrow.moveTo(6, 10);
    arrow.lineTo(13, 3);
    p.drawPath(arrow);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({{14.5, 1.5}, {14.5, 7}, {9, 1.5}}));
}

void DrawFixed(QPainter& p)
{
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 1.5, 7, 8), 0, 180 * 16);
    p.drawLine(QPointF(4.5, 5.5), QPointF(4.5, 7));
    p.drawLine(QPointF(11.5, 5.5), QPointF(11.5, 7));
    p.setBrush(QColor(0x9a, 0x9a, 0x9a));
    p.drawRect(QRectF(3, 7, 10, 8));
}

void DrawConditional(QPainter& p)
{
    p.setBrush(QColor(0xf5, 0xd0, 0x42));
    p.drawPolygon(QPolygonF({{8, 1}, {15, 8}, {8, 15}, {1, 8}}));
    QFont font = p.font();
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
}

QIcon Draw(int kind)
{
    static void (*const painters[CBlockIcons::kCount])(QPainter&) = {
        DrawPage, DrawBlock, DrawTable, DrawColumn, DrawFeature, DrawReference, DrawFixed, DrawConditional};
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    painters[kind](painter);
    painter.end();
    return QIcon(pixmap);
}

} // namespace

QIcon CBlockIcons::ForKind(int kind)
{
    static QVector<QIcon> icons;
    if (kind < 0 || kind >= kCount)
        return QIcon();
    if (icons.isEmpty())
        for (int k = 0; k < kCount; ++k)
            icons << Draw(k);
    return icons[kind];
}
