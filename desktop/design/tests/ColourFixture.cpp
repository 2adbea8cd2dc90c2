#include "desktop/design/tests/ColourFixture.h"

#include <QFile>

#include <gif_lib.h>

#include <stdexcept>
#include <vector>

void ColourFixture::Value(qint32 classId, const QString& value)
{
    const qint32 id = m_nNextId++;
    shop.Row(QStringLiteral("AttributiCSS"), {{"ID", id}, {"IDClasse", classId}, {"IDAttributo", id % 35}, {"Valore", value}});
}

QStringList ColourFixture::Values()
{
    QStringList values;
    for (const QVariant& value : shop.Column(QStringLiteral("SELECT Valore FROM AttributiCSS ORDER BY ID")))
        values << value.toString();
    return values;
}

QString ColourFixture::ImagePath(const QString& name) const
{
    return shop.Folder() + QStringLiteral("website/images/") + name;
}

void ColourFixture::WriteGif(const QString& name, int width, int height, const QList<QColor>& palette,
                             const QList<int>& indexes, int transparentIndex)
{
    std::vector<GifColorType> colours(256, GifColorType{0, 0, 0});
    for (int i = 0; i < palette.size(); ++i)
        colours[size_t(i)] = {GifByteType(palette[i].red()), GifByteType(palette[i].green()),
                              GifByteType(palette[i].blue())};
    int status = 0;
    const QByteArray path = QFile::encodeName(ImagePath(name));
    GifFileType* gif = EGifOpenFileName(path.constData(), false, &status);
    if (!gif)
        throw std::runtime_error("cannot write the test GIF");
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, width, height, 8, 0, map);
    if (transparentIndex >= 0) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, transparentIndex};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
    }
    EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
    std::vector<GifByteType> line(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            line[size_t(x)] = GifByteType(indexes.at(y * width + x));
        EGifPutLine(gif, line.data(), width);
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &status) != GIF_OK)
        throw std::runtime_error("cannot close the test GIF");
}

int GifTransparentIndex(const QString& path)
{
    int status = 0;
    const QByteArray name = QFile::encodeName(path);
    GifFileType* gif = DGifOpenFileName(name.constData(), &status);
    if (!gif)
        return -2;
    int transparent = -1;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
        GraphicsControlBlock control;
        if (DGifSavedExtensionToGCB(gif, 0, &control) == GIF_OK)
            transparent = control.TransparentColor;
    }
    DGifCloseFile(gif, &status);
    return transparent;
}
