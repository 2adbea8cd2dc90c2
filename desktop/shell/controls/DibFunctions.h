#pragma once

#include <QImage>
#include <QRect>

class QPainter;

// Turning a screen image into a device-independent one and drawing it
// scaled, as printing needs. A DIB here is a QImage of 1, 4, 8 or 24 bits
// per pixel (4-bit images are kept as 8-bit pixels with at most 16 colours).

// The DIB of a bitmap, or a null image on failure. Depths round up to 1, 4,
// 8 or 24 bits; images of more than 8 bits lose their alpha and colour table.
QImage DDBToDIB(const QImage& bitmap);
// Bits per pixel of a DIB: 1, 4, 8 or 24 (0 for a null image).
int DIBBitCount(const QImage& dib);
// Colour-table entries: 2, 16 or 256 (or the number used) for 1, 4 and 8
// bits, 0 for 24.
int DIBNumColors(const QImage& dib);
// Size of the colour table in bytes (4 per entry).
int DIBPaletteSize(const QImage& dib);
// The first pixel row.
const uchar* FindDIBBits(const QImage& dib);
// Draws the DIB stretched to `dest`, only the part inside `clip`; false
// (and nothing drawn) for a null DIB or an empty intersection.
bool PaintDIB(QPainter& painter, const QRect& dest, const QImage& dib, const QRect& clip);
void FreeDIB(QImage& dib);
