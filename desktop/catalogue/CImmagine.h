#pragma once

#include <QImage>
#include <QString>

// The imaging of the product card on QImage: reading the pictures the
// merchant chooses (BMP, JPEG, GIF), the flips and the brightness and
// contrast adjustments of the image page, scaling to the widths of the
// site's settings and writing the site's JPEG files. Pictures are kept at
// 32 bits per pixel, opaque: a transparent GIF is laid on white, as the
// JPEG the site gets can hold no transparency.
class CImmagine
{
public:
    // The filter of the open-file dialogs that choose a picture.
    static QString FileFilter();

    // The picture of a file at 32 bits per pixel; a null image and the
    // message in *error when it cannot be read.
    static QImage Load(const QString& file, QString* error);

    // Left-right and top-bottom.
    static QImage Mirror(const QImage& image);
    static QImage Flip(const QImage& image);
    // value 50..150 around a neutral 100: brightness scales every channel,
    // contrast stretches or shrinks each channel's distance from mid-grey.
    static QImage AdjustBrightness(const QImage& image, int value);
    static QImage AdjustContrast(const QImage& image, int value);

    // Scaled to width, the height in proportion (integer arithmetic); a
    // width of 0 or less keeps the image as it is.
    static QImage ToWidth(const QImage& image, int width);
    // Fitted into a white square of side, aspect kept, centred.
    static QImage Square(const QImage& image, int side);

    // Writes the image as JPEG. The file is replaced only once the new one
    // is whole: a failed write leaves the old picture in place.
    static bool SaveJpeg(const QImage& image, const QString& path, QString* error);

    // The folder projectFolder + relative, created when missing, or empty
    // text when it cannot be made or resolves outside the project folder
    // (a symbolic link leading elsewhere).
    static QString FolderInside(const QString& projectFolder, const QString& relative);
};
