#include "desktop/catalogue/CProdottoFoto.h"

#include "desktop/catalogue/CSostituzioneFile.h"

#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/utilities/QtrUtilities.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

CProdottoFoto::CProdottoFoto(const QString& projectFolder)
    : m_strFolder(CProjectFolder::WithSlash(projectFolder) + QStringLiteral("website/images/prodotti/"))
{
}

CProdottoFoto::~CProdottoFoto() = default;

void CProdottoFoto::SetWidths(qint32 foto, qint32 thumbnail)
{
    m_nFoto = foto;
    m_nThumbnail = thumbnail;
}

QString CProdottoFoto::FotoPath(qint32 id) const
{
    return m_strFolder + QString::number(id) + QStringLiteral(".jpg");
}

QString CProdottoFoto::ThumbnailPath(qint32 id) const
{
    return m_strFolder + QStringLiteral("th/") + QString::number(id) + QStringLiteral(".jpg");
}

void CProdottoFoto::Show(qint32 id)
{
    if (m_bChanged)
        return;
    m_image = QImage();
    const QString path = FotoPath(id);
    if (id > 0 && QFileInfo::exists(path)) {
        QImageReader reader(path);
        m_image = reader.read();
        if (!m_image.isNull())
            m_image = m_image.convertToFormat(QImage::Format_RGB32);
    }
    m_reference = m_image;
}

void CProdottoFoto::Clear()
{
    Abandon();
    m_image = QImage();
    m_reference = QImage();
    m_bChanged = false;
}

bool CProdottoFoto::Load(const QString& file, QString* error)
{
    QImageReader reader(file);
    QImage image = reader.read();
    if (image.isNull()) {
        *error = QStringLiteral("Impossibile leggere l'immagine %1.").arg(file);
        return false;
    }
    m_image = image.convertToFormat(QImage::Format_RGB32);
    m_reference = m_image;
    m_bChanged = true;
    return true;
}

void CProdottoFoto::SetImage(const QImage& image, bool changed)
{
    m_image = image;
    if (changed)
        m_bChanged = true;
}

void CProdottoFoto::Apply()
{
    m_reference = m_image;
    m_bChanged = true;
}

void CProdottoFoto::Remove()
{
    m_image = QImage();
    m_reference = QImage();
    m_bChanged = true;
}

QImage CProdottoFoto::ScaledToWidth(const QImage& image, qint32 width)
{
    if (width <= 0 || image.width() <= 0)
        return image;
    const qint64 height = qMax<qint64>(1, qint64(image.height()) * width / image.width());
    return image.scaled(width, int(height), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool CProdottoFoto::WriteAside(std::unique_ptr<QSaveFile>& file, const QString& path, const QImage& image,
                               qint32 width, QString* error)
{
    CreatePath(QFileInfo(path).path());
    file = std::make_unique<QSaveFile>(path);
    if (!file->open(QIODevice::WriteOnly) || !ScaledToWidth(image, width).save(file.get(), "JPG")) {
        *error = QStringLiteral("Impossibile scrivere l'immagine %1.").arg(path);
        file.reset();
        return false;
    }
    return true;
}

bool CProdottoFoto::Prepare(qint32 id, QString* error)
{
    Abandon();
    m_nPrepared = id;
    if (!m_bChanged || IsRemoved())
        return true;
    if (!WriteAside(m_pFoto, FotoPath(id), m_image, m_nFoto, error)
        || !WriteAside(m_pThumbnail, ThumbnailPath(id), m_image, m_nThumbnail, error)) {
        Abandon();
        return false;
    }
    return true;
}

bool CProdottoFoto::Commit(CSostituzioneFile& replacement, QString* error)
{
    bool ok = true;
    if (IsRemoved())
        for (const QString& path : {FotoPath(m_nPrepared), ThumbnailPath(m_nPrepared)})
            ok = ok && replacement.Remove(path, error);
    for (std::unique_ptr<QSaveFile>* file : {&m_pFoto, &m_pThumbnail})
        ok = ok && (!*file || replacement.Replace(**file, error));
    if (!ok)
        return false;
    m_pFoto.reset();
    m_pThumbnail.reset();
    m_bChanged = false;
    return true;
}

void CProdottoFoto::Abandon()
{
    if (m_pFoto)
        m_pFoto->cancelWriting();
    if (m_pThumbnail)
        m_pThumbnail->cancelWriting();
    m_pFoto.reset();
    m_pThumbnail.reset();
}
