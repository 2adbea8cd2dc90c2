#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// The site's GIF images (website/images of the project) as "Modifica
// colori" recolours them, without widgets: one image loaded at a time, one
// colour of it replaced by another, the image written back as GIF.
class CImageColours
{
public:
    static constexpr int kMaxZoom = 9000;

    explicit CImageColours(const QString& projectFolder);

    QString ImagesFolder() const;
    // The GIF files of the images folder, by name.
    QStringList ImageNames() const;

    // Loads the named image of the folder; false (and nothing loaded) when
    // it cannot be read. No image is changed afterwards.
    bool Load(const QString& name);
    void Release();
    bool IsLoaded() const { return !m_image.isNull(); }
    const QImage& Image() const { return m_image; }
    const QString& Name() const { return m_strName; }
    bool IsChanged() const { return m_bChanged; }

    // Every opaque pixel of colour old takes colour chosen; transparent
    // pixels and the other colours stay. Returns the pixels changed; the
    // image counts as changed when there was one.
    int Replace(const QColor& old, const QColor& chosen);

    // Writes the image over its file as GIF and leaves the file writable;
    // a failed write leaves the file as it was and says why.
    bool Save(QString* error);

    // The image as the preview draws it at zoom percent: each side times
    // zoom / 100, every pixel repeated (never blended), so a colour picked
    // from it is a colour of the image.
    const QImage& Shown(int zoom) const;
    // The colour shown at point of the preview drawn from its top-left
    // corner; none outside the image or on a transparent pixel.
    std::optional<QColor> ColourAt(const QPoint& point, int zoom) const;

    // The largest zoom, in percent, at which the whole image fits the area
    // in whole multiples of its size, at most kMaxZoom; below 100 when the
    // image does not fit at its own size.
    static int MaxZoom(const QSize& area, const QSize& image);

private:
    QString m_strProjectFolder;
    QString m_strName;
    QImage m_image;
    bool m_bChanged = false;
    mutable QImage m_shown;
    mutable int m_nShownZoom = -1;
};
