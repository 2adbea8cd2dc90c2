#include "desktop/design/CImageColours.h"

#include "desktop/shell/controls/CGifWriter.h"

#include <QDir>
#include <QImageReader>

#include <algorithm>

CImageColours::CImageColours(const QString& projectFolder) : m_strProjectFolder(projectFolder) {}

QString CImageColours::ImagesFolder() const
{
    return m_strProjectFolder + QStringLiteral("website/images/");
}

QStringList CImageColours::ImageNames() const
{
    // Names from Windows are matched without regard to case: "LOGO.GIF" too.
    QDir folder(ImagesFolder());
    folder.setNameFilters({QStringLiteral("*.gif")});
    folder.setFilter(QDir::Files);
    folder.setSorting(QDir::Name | QDir::IgnoreCase);
    return folder.entryList();
}

bool CImageColours::Load(const QString& name)
{
    Release();
    // Only a plain name of the folder: the list never holds anything else.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".."))
        return false;
    QImageReader reader(ImagesFolder() + name);
    QImage image = reader.read();
    if (image.isNull())
        return false;
    m_image = image.convertToFormat(QImage::Format_ARGB32);
    m_strName = name;
    m_nShownZoom = -1;
    return true;
}

void CImageColours::Release()
{
    m_image = QImage();
    m_nShownZoom = -1;
    m_strName.clear();
    m_bChanged = false;
}

int CImageColours::Replace(const QColor& old, const QColor& chosen)
{
    const QRgb from = old.rgb() & 0xFFFFFFu;
    const QRgb to = chosen.rgb() & 0xFFFFFFu;
    int changed = 0;
    for (int y = 0; y < m_image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        for (int x = 0; x < m_image.width(); ++x) {
            if (qAlpha(line[x]) == 255 && (line[x] & 0xFFFFFFu) == from && from != to) {
                line[x] = 0xFF000000u | to;
                ++changed;
            }
        }
    }
    m_bChanged = m_bChanged || changed > 0;
    m_nShownZoom = -1;
    return changed;
}

bool CImageColours::Save(QString* error)
{
    if (!IsLoaded() || !CGifWriter::Save(m_image, ImagesFolder() + m_strName, error)) {
        if (!IsLoaded())
            *error = QStringLiteral("Impossibile scrivere l'immagine %1.").arg(ImagesFolder() + m_strName);
        return false;
    }
    m_bChanged = false;
    return true;
}

const QImage& CImageColours::Shown(int zoom) const
{
    if (m_nShownZoom != zoom || m_shown.isNull() != m_image.isNull()) {
        const QSize size(m_image.width() * zoom / 100, m_image.height() * zoom / 100);
        m_shown = m_image.isNull() || size.isEmpty() ? QImage()
                  : m_image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        m_nShownZoom = zoom;
    }
    return m_shown;
}

std::optional<QColor> CImageColours::ColourAt(const QPoint& point, int zoom) const
{
    const QImage& shown = Shown(zoom);
    if (!shown.valid(point))
        return std::nullopt;
    const QRgb colour = shown.pixel(point);
    if (qAlpha(colour) < 255)
        return std::nullopt;
    return QColor(colour);
}

int CImageColours::MaxZoom(const QSize& area, const QSize& image)
{
    if (image.width() <= 0 || image.height() <= 0)
        return 0;
    const int across = area.width() > 0 ? area.width() / image.width() * 100 : 0;
    const int down = area.height() > 0 ? area.height() / image.height() * 100 : 0;
    return std::min({across, down, kMaxZoom});
}
