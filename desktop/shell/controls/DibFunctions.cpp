#include "desktop/shell/controls/DibFunctions.h"

#include <QPainter>

namespace {

int RoundedBits(int depth)
{
    if (depth < 2)
        return 1;
    if (depth <= 4)
        return 4;
    if (depth <= 8)
        return 8;
    return 24;
}

// The standard 16-colour table, for 4-bit DIBs made from deeper images.
QList<QRgb> SixteenColours()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

} // namespace

QImage DDBToDIB(const QImage& bitmap)
{
    if (bitmap.isNull())
        return QImage();
    switch (RoundedBits(bitmap.depth())) {
    case 1: return bitmap.convertToFormat(QImage::Format_Mono);
    case 4: {
        const QList<QRgb> table = bitmap.colorCount() > 0 && bitmap.colorCount() <= 16
            ? bitmap.colorTable()
            : SixteenColours();
        return bitmap.convertToFormat(QImage::Format_Indexed8, table);
    }
    case 8: return bitmap.convertToFormat(QImage::Format_Indexed8);
    default: return bitmap.convertToFormat(QImage::Format_RGB888);
    }
}

int DIBBitCount(const QImage& dib)
{
    switch (dib.format()) {
    case QImage::Format_Invalid: return 0;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: return 1;
    case QImage::Format_Indexed8: return dib.colorCount() <= 16 ? 4 : 8;
    default: return 24;
    }
}

int DIBNumColors(const QImage& dib)
{
    switch (DIBBitCount(dib)) {
    case 1: return 2;
    case 4:
    case 8: return dib.colorCount();
    default: return 0;
    }
}

int DIBPaletteSize(const QImage& dib)
{
    return DIBNumColors(dib) * 4;
}

const uchar* FindDIBBits(const QImage& dib)
{
    return dib.isNull() ? nullptr : dib.constBits();
}

bool PaintDIB(QPainter& painter, const QRect& dest, const QImage& dib, const QRect& clip)
{
    if (dib.isNull() || dest.isEmpty())
        return false;
    const QRect part = dest.intersected(clip);
    if (part.isEmpty())
        return false;
    const double scaleX = double(dest.width()) / dib.width();
    const double scaleY = double(dest.height()) / dib.height();
    const QRect source(int((part.left() - dest.left()) / scaleX),
                       int((part.top() - dest.top()) / scaleY), int(part.width() / scaleX),
                       int(part.height() / scaleY));
    painter.drawImage(part, dib, source);
    return true;
}

void FreeDIB(QImage& dib)
{
    dib = QImage();
}
