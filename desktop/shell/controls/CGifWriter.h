#pragma once

#include <QImage>
#include <QString>

// Writes a picture as a GIF of at most 256 colours (giflib's encoder),
// for the pictures the site keeps as GIF: the company logo, section icons,
// banners, and the site's images recoloured by "Modifica colori". A picture
// of up to 256 colours keeps every colour exactly; its transparent pixels
// (alpha below half) stay transparent, through one palette entry of their
// own. The file is replaced only once the new one is whole, so a failed
// write leaves the old picture in place.
class CGifWriter
{
public:
    static bool Save(const QImage& image, const QString& path, QString* error);
};
