#include "desktop/shell/controls/CGifWriter.h"

#include <QFile>
#include <QHash>
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

// The picture reduced to a palette: one index a pixel, row after row, and
// the index that stands for transparency (-1 when no pixel is transparent).
struct Indexed
{
    std::vector<GifByteType> indexes;
    std::vector<GifColorType> colours = std::vector<GifColorType>(256, GifColorType{0, 0, 0});
    int transparent = -1;
};

bool IsTransparent(QRgb pixel)
{
    return qAlpha(pixel) < 128;
}

// Every opaque colour keeps a palette entry of its own when they fit, so a
// recoloured picture changes in the replaced colour and nowhere else.
bool ExactPalette(const QImage& argb, Indexed* out)
{
    QHash<QRgb, int> entries;
    bool transparent = false;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (IsTransparent(line[x])) {
                transparent = true;
                continue;
            }
            const QRgb colour = line[x] | 0xFF000000u;
            if (!entries.contains(colour)) {
                if (entries.size() == 256)
                    return false;
                entries.insert(colour, int(entries.size()));
            }
        }
    }
    if (entries.size() + (transparent ? 1 : 0) > 256)
        return false;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        out->colours[size_t(it.value())] = {GifByteType(qRed(it.key())), GifByteType(qGreen(it.key())),
                                            GifByteType(qBlue(it.key()))};
    out->transparent = transparent ? int(entries.size()) : -1;
    out->indexes.resize(size_t(argb.width()) * size_t(argb.height()));
    auto* index = out->indexes.data();
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            *index++ = GifByteType(IsTransparent(line[x]) ? out->transparent : entries.value(line[x] | 0xFF000000u));
    }
    return true;
}

// The palette entry used by the fewest pixels, merged into the entry
// nearest its colour, so that its index is free for transparency.
int FreeOneEntry(Indexed* out, int count)
{
    std::vector<size_t> uses(size_t(count), 0);
    for (GifByteType index : out->indexes)
        ++uses[index];
    const int rare = int(std::min_element(uses.begin(), uses.end()) - uses.begin());
    const GifColorType& colour = out->colours[size_t(rare)];
    int nearest = rare == 0 ? 1 : 0;
    long best = -1;
    for (int i = 0; i < count; ++i) {
        if (i == rare)
            continue;
        const GifColorType& other = out->colours[size_t(i)];
        const long distance = (long(other.Red) - colour.Red) * (long(other.Red) - colour.Red)
                              + (long(other.Green) - colour.Green) * (long(other.Green) - colour.Green)
                              + (long(other.Blue) - colour.Blue) * (long(other.Blue) - colour.Blue);
        if (best < 0 || distance < best) {
            best = distance;
            nearest = i;
        }
    }
    for (GifByteType& index : out->indexes)
        if (index == rare)
            index = GifByteType(nearest);
    return rare;
}

// A richer picture goes to Qt's own palette, which errs less than giflib's
// quantizer on gradients; when it is full and some pixels are transparent,
// its rarest colour gives way to transparency.
bool ReducedPalette(const QImage& argb, Indexed* out)
{
    const QImage indexed =
        argb.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    if (indexed.isNull() || indexed.colorCount() > 256)
        return false;
    for (int i = 0; i < indexed.colorCount(); ++i) {
        const QRgb colour = indexed.color(i);
        out->colours[size_t(i)] = {GifByteType(qRed(colour)), GifByteType(qGreen(colour)), GifByteType(qBlue(colour))};
    }
    out->indexes.resize(size_t(indexed.width()) * size_t(indexed.height()));
    bool transparent = false;
    for (int y = 0; y < indexed.height(); ++y) {
        std::copy_n(indexed.constScanLine(y), indexed.width(), out->indexes.data() + size_t(y) * size_t(indexed.width()));
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < indexed.width() && !transparent; ++x)
            transparent = IsTransparent(line[x]);
    }
    if (!transparent)
        return true;
    out->transparent = indexed.colorCount() < 256 ? indexed.colorCount() : FreeOneEntry(out, indexed.colorCount());
    auto* index = out->indexes.data();
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x, ++index)
            if (IsTransparent(line[x]))
                *index = GifByteType(out->transparent);
    }
    return true;
}

bool Quantize(const QImage& image, Indexed* out)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    return !argb.isNull() && (ExactPalette(argb, out) || ReducedPalette(argb, out));
}

bool Encode(QSaveFile& out, int width, int height, Indexed& picture)
{
    int status = 0;
    GifFileType* gif = EGifOpen(&out, WriteToFile, &status);
    if (!gif)
        return false;
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(GifMakeMapObject(256, picture.colours.data()),
                                                                    GifFreeMapObject);
    // Transparency needs the 89a header and a control block before the image.
    EGifSetGifVersion(gif, picture.transparent >= 0);
    bool written = map && EGifPutScreenDesc(gif, width, height, 8, 0, map.get()) == GIF_OK;
    if (written && picture.transparent >= 0) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, picture.transparent};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        written = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK;
    }
    written = written && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; written && y < height; ++y)
        written = EGifPutLine(gif, picture.indexes.data() + size_t(y) * size_t(width), width) == GIF_OK;
    return EGifCloseFile(gif, &status) == GIF_OK && written;
}

// QSaveFile puts the file in place even when the last buffered bytes could
// not be written at its close (a full disk, a file size limit): they are
// written first and a failure cancels the file.
bool Commit(QSaveFile& out)
{
    if (!out.flush() || out.error() != QFileDevice::NoError) {
        out.cancelWriting();
        out.commit();
        return false;
    }
    return out.commit();
}

} // namespace

bool CGifWriter::Save(const QImage& image, const QString& path, QString* error)
{
    // A read-only picture (one copied from a CD) is replaced too, and the
    // site update must be able to replace it later: it is left writable.
    const QFileDevice::Permissions before = QFile::permissions(path);
    if (QFile::exists(path))
        QFile::setPermissions(path, before | QFile::WriteOwner);
    Indexed picture;
    QSaveFile out(path);
    if (image.isNull() || !Quantize(image, &picture) || !out.open(QIODevice::WriteOnly)
        || !Encode(out, image.width(), image.height(), picture) || !Commit(out)) {
        if (QFile::exists(path))
            QFile::setPermissions(path, before);
        *error = QStringLiteral("Impossibile scrivere l'immagine %1.").arg(path);
        return false;
    }
    QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
    return true;
}
