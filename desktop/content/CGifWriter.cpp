#include "desktop/content/CGifWriter.h"

#include <QFile>
#include <QSaveFile>

#include <gif_lib.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

int WriteToFile(GifFileType* gif, const GifByteType* data, int length)
{
    auto* out = static_cast<QSaveFile*>(gif->UserData);
    return int(out->write(reinterpret_cast<const char*>(data), length));
}

// The picture reduced to a palette: one index a pixel, row after row. Qt
// keeps every colour of a picture of up to 256 (a logo, a banner's flat
// colours) and maps a richer one to its colour cube, which errs less than
// giflib's own quantizer on gradients.
bool Quantize(const QImage& image, std::vector<GifByteType>* indexes, std::vector<GifColorType>* colours)
{
    const QImage indexed =
        image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    if (indexed.isNull() || indexed.colorCount() > 256)
        return false;
    colours->assign(256, GifColorType{0, 0, 0});
    for (int i = 0; i < indexed.colorCount(); ++i) {
        const QRgb colour = indexed.color(i);
        (*colours)[size_t(i)] = {GifByteType(qRed(colour)), GifByteType(qGreen(colour)), GifByteType(qBlue(colour))};
    }
    indexes->resize(size_t(indexed.width()) * size_t(indexed.height()));
    for (int y = 0; y < indexed.height(); ++y)
        std::copy_n(indexed.constScanLine(y), indexed.width(), indexes->data() + size_t(y) * size_t(indexed.width()));
    return true;
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
