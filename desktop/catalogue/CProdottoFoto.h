#pragma once

#include <QImage>
#include <QString>

#include <memory>

class CSostituzioneFile;
class QSaveFile;

// The product picture the card shows and the image page edits: the shown
// image, its reference copy (what "Applica" made of it) and whether it
// changed since it was read. A save writes the picture and its thumbnail
// as JPEG under website/images/prodotti/ in two steps: Prepare writes both
// beside the old ones, Commit puts them in place inside the save, so the
// old picture goes only once the new one is whole and its row's flag is
// committed with it; a change that leaves no picture deletes the files at
// Commit.
class CProdottoFoto
{
public:
    explicit CProdottoFoto(const QString& projectFolder);
    ~CProdottoFoto();

    void SetWidths(qint32 foto, qint32 thumbnail);

    // The file the shop shows for product id, and its thumbnail.
    QString FotoPath(qint32 id) const;
    QString ThumbnailPath(qint32 id) const;

    // Shows the stored picture of id (none when the file is missing or
    // unreadable), unless a change is pending.
    void Show(qint32 id);
    // Drops the picture and any pending change.
    void Clear();

    const QImage& Image() const { return m_image; }
    const QImage& Reference() const { return m_reference; }
    bool IsChanged() const { return m_bChanged; }
    // A change that leaves no picture: the files go at the save.
    bool IsRemoved() const { return m_bChanged && m_image.isNull(); }
    // The three the image page works on in place.
    QImage& ShownImage() { return m_image; }
    QImage& ReferenceImage() { return m_reference; }
    bool& ChangedFlag() { return m_bChanged; }

    // A picture chosen on disk; one that cannot be read changes nothing.
    bool Load(const QString& file, QString* error);
    // The image page's edits of the shown image (mirror, flip, preview);
    // changed marks a change to be saved.
    void SetImage(const QImage& image, bool changed);
    // "Applica": the shown image becomes the reference and is saved.
    void Apply();
    // The picture goes at the next save.
    void Remove();
    // Entering the image page starts from the shown image; leaving it
    // drops what was not applied.
    void EnterPage() { m_reference = m_image; }
    void LeavePage() { m_image = m_reference; }

    // Writes the pending picture of id aside; false with the error text.
    bool Prepare(qint32 id, QString* error);
    // Puts what Prepare wrote in place (or removes the files), the old
    // files kept aside by replacement until the rows are committed, and
    // clears the change; false with the error text when a file could not
    // be (replacement then restores what it moved).
    bool Commit(CSostituzioneFile& replacement, QString* error);
    // Forgets what Prepare wrote; the old files stay.
    void Abandon();

    // image scaled to width, height in proportion (integer arithmetic).
    static QImage ScaledToWidth(const QImage& image, qint32 width);

private:
    bool WriteAside(std::unique_ptr<QSaveFile>& file, const QString& path, const QImage& image, qint32 width,
                    QString* error);

    QString m_strFolder;   // ends with "/"
    qint32 m_nFoto = 0;
    qint32 m_nThumbnail = 0;
    QImage m_image;
    QImage m_reference;
    bool m_bChanged = false;
    qint32 m_nPrepared = 0;
    std::unique_ptr<QSaveFile> m_pFoto;
    std::unique_ptr<QSaveFile> m_pThumbnail;
};
