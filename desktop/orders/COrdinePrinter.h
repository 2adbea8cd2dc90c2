#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

class COrdineStampa;
class QPagedPaintDevice;
class QPainter;

// Draws the order documents (the invoice over as many pages as its lines
// need, the parcel label) at fixed places in millimetres from the
// printable area's corner, on a printer or a PDF writer.
class COrdinePrinter
{
public:
    // The logo file is project folder + "website/images/<language>/su_logo.gif".
    explicit COrdinePrinter(const QString& projectFolder) : m_strProjectFolder(projectFolder) {}

    // The number of pages printed.
    int PrintInvoice(QPagedPaintDevice& device, const COrdineStampa& data);
    void PrintLabel(QPagedPaintDevice& device, const COrdineStampa& data);
    // Both in one job, the label on the page after the invoice: a PDF file
    // chosen in the print dialog then holds both.
    void PrintBoth(QPagedPaintDevice& device, const COrdineStampa& invoice, const COrdineStampa& label);

private:
    // F: a text wider than its box (less half a millimetre each side) or
    // taller than it is drawn in a font made smaller until it fits, never
    // cut.
    enum Flag { L = 0x1, R = 0x2, C = 0x4, V = 0x8, S = 0x10, B = 0x20, W = 0x40, F = 0x80 };

    void Begin(QPainter& painter);
    int DrawInvoice(QPainter& p, QPagedPaintDevice& device, const COrdineStampa& d);
    void DrawLabel(QPainter& p, const COrdineStampa& d);
    QRect Mm(double left, double top, double right, double bottom) const;
    int Y(double mm) const { return int(mm * m_fy); }
    void SetFont(QPainter& painter, const char* face, double height, double width, bool bold = false,
                 bool italic = false);
    void Text(QPainter& painter, const QRect& rect, int flags, const QString& text);
    void Box(QPainter& painter, double left, double top, double right, double bottom, bool grey);
    void Line(QPainter& painter, double x1, double y1, double x2, double y2);
    void Logo(QPainter& painter, const COrdineStampa& data, const QRect& place);
    void Heading(QPainter& painter, const COrdineStampa& data);
    void Footer(QPainter& painter, const COrdineStampa& data, bool last);
    QString Address(const COrdineStampa& data) const;

    QString m_strProjectFolder;
    double m_fx = 1;
    double m_fy = 1;
};
