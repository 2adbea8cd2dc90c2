#include "desktop/content/CGifWriter.h"

#include <QFile>
#include <QSaveFile>

#include <gif_lib.h>

#include <memory>
#include <vector>

namespace {

int WriteToFile(GifFileType* gif, const GifByteType* data, int length)
{
    auto* out = static_cast<QSaveFile*>(gif->UserData);
    return int(out->write(reinterpret_cast<const char*>(data), length));
}

// The picture reduced to a palette: one index a pixel, row after row.
bool Quantize(const QImage& image, std::vector<GifByteType>* indexes, std::vector<GifColorType>* colours)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const size_t pixels = size_t(rgb.width()) * size_t(rgb.height());
    std::vector<GifByteType> red(pixels), green(pixels), blue(pixels);
    size_t i = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x, ++i) {
            red[i] = GifByteType(qRed(line[x]));
            green[i] = GifByteType(qGreen(line[x]));
            blue[i] = GifByteType(qBlue(line[x]));
        }
    }
    int size = 256;
    indexes->resize(pixels);
    colours->resize(256);
    return GifQuantizeBuffer(unsigned(rgb.width()), unsigned(rgb.height()), &size, red.data(), green.data(),
                             blue.data(), indexes->data(), colours->data())
           == GIF_OK;
}

bool Encode(QSaveFile& out, int width, int height, std::vector<GifByteType>& indexes,
            const std::vector<GifColorType>& colours)
{
    int status = 0;
    GifFileType* gif = EGifOpen(&out, WriteToFile, &status);
    if (!gif)
        return false;
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(GifMakeMapObject(256, colours.data()),
                                                                    GifFreeMapObject);
    bool written = map && EGifPutScreenDesc(gif, width, height, 8, 0, map.get()) == GIF_OK
                   && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; written && y < height; ++y)
        written = EGifPutLine(gif, indexes.data() + size_t(y) * size_t(width), width) == GIF_OK;
    return EGifCloseFile(gif, &status) == GIF_OK && written;
}

} // namespace

bool CGifWriter::Save(const QImage& image, const QString& path, QString* error)
{
    std::vector<GifByteType> indexes;
    std::vector<GifColorType> colours;
    QSaveFile out(path);
    if (image.isNull() || !Quantize(image, &indexes, &colours) || !out.open(QIODevice::WriteOnly)
        || !Encode(out, image.width(), image.height(), indexes, colours) || !out.commit()) {
        *error = QStringLiteral("Impossibile scrivere l'immagine %1.").arg(path);
        return false;
    }
    // The site update must be able to replace it later.
    QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
    return true;
}
