#include "desktop/catalogue/CImmagine.h"

#include "desktop/catalogue/CImmaginiDaScrivere.h"

#include "platform/utilities/QtrUtilities.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

int Clamp(double value)
{
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

// Applies channel to the red, green and blue of every pixel.
template <class Fn>
QImage MapChannels(const QImage& image, Fn channel)
{
    if (image.isNull())
        return image;
    QImage result = image.convertToFormat(QImage::Format_RGB32);
    int table[256];
    for (int c = 0; c < 256; ++c)
        table[c] = channel(c);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = line[x];
            line[x] = qRgb(table[qRed(pixel)], table[qGreen(pixel)], table[qBlue(pixel)]);
        }
    }
    return result;
}

QImage Opaque(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage result(image.size(), QImage::Format_RGB32);
    result.fill(Qt::white);
    QPainter painter(&result);
    painter.drawImage(0, 0, image);
    painter.end();
    return result;
}

} // namespace

QString CImmagine::FileFilter()
{
    return QStringLiteral("Tutti i formati supportati (*.bmp *.jpg *.jpeg *.gif);;Files Bitmap (*.bmp);;"
                          "Files Jpeg (*.jpg *.jpeg);;Files Gif (*.gif)");
}

QImage CImmagine::Load(const QString& file, QString* error)
{
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("Impossibile leggere l'immagine %1.").arg(QDir::toNativeSeparators(file));
        return QImage();
    }
    return Opaque(image);
}

QImage CImmagine::Mirror(const QImage& image)
{
    return image.mirrored(true, false);
}

QImage CImmagine::Flip(const QImage& image)
{
    return image.mirrored(false, true);
}

QImage CImmagine::AdjustBrightness(const QImage& image, int value)
{
    return MapChannels(image, [value](int c) { return Clamp(c * value / 100.0); });
}

QImage CImmagine::AdjustContrast(const QImage& image, int value)
{
    return MapChannels(image, [value](int c) { return Clamp(128 + (c - 128) * value / 100.0); });
}

QImage CImmagine::ToWidth(const QImage& image, int width)
{
    if (image.isNull() || width <= 0 || image.width() <= 0)
        return image;
    const int height = std::max(1, static_cast<int>(qint64(image.height()) * width / image.width()));
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage CImmagine::Square(const QImage& image, int side)
{
    QImage square(side, side, QImage::Format_RGB32);
    square.fill(Qt::white);
    if (image.isNull())
        return square;
    const QImage fitted = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&square);
    painter.drawImage((side - fitted.width()) / 2, (side - fitted.height()) / 2, fitted);
    return square;
}

bool CImmagine::SaveJpeg(const QImage& image, const QString& path, QString* error)
{
    CImmaginiDaScrivere file;
    return file.Add(image, path, error) && file.Commit(error);
}

QString CImmagine::FolderInside(const QString& projectFolder, const QString& relative)
{
    const QString project = QFileInfo(projectFolder).canonicalFilePath();
    if (project.isEmpty() || relative.contains(QLatin1String("..")))
        return QString();
    const QString folder = QDir(project).filePath(relative);
    if (!CreatePath(folder))
        return QString();
    const QString real = QFileInfo(folder).canonicalFilePath();
    if (!real.startsWith(project + QLatin1Char('/')))
        return QString();
    return real;
}
