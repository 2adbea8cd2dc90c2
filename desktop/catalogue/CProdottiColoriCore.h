#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <functional>

class CDaoDatabase;
class CImmaginiDaScrivere;
class QWidget;

// The rules of the product card's colours page, without widgets: the
// colour variants of one product (table ProdottiColori), each with a photo
// and/or a detail picture, kept where the shop looks for them under the
// project's website/images/prodotti/colori: <ID>.jpg (the photo, width
// DimFoto), th/<ID>.jpg (its thumbnail, width DimThumbnail) and
// dettagli/<ID>.jpg (the detail, width DimColori).
//
// Pictures are chosen for a new colour and may be chosen again for a
// selected one, replacing its own when it is saved. New pictures are
// written beside the old ones and put in place only once the row is saved,
// so a failed save keeps the old pictures and a cancelled choice changes
// nothing; a row whose pictures change is flagged ModificataFoto, which
// the site update reads to send them.
class CProdottiColoriCore
{
public:
    static constexpr int kThumbnailSide = 80;
    static constexpr int kCodeLength = 32;
    static constexpr int kDescriptionLength = 100;

    enum Picture { Foto, Dettaglio };

    // Widths in pixels of the pictures written, from Configurazione.
    struct Widths
    {
        int nFoto = 0;
        int nThumbnail = 0;
        int nColori = 0;
    };

    struct Fields
    {
        QString strCodice;
        QString strDescrizione;
        bool bAttivo = true;
    };

    // One colour of the list: its code and thumbnail.
    struct Item
    {
        qint32 nId = 0;
        QString strCodice;
        QImage thumbnail;
    };

    struct Buttons
    {
        bool bAdd = true;
        bool bModify = false;
        bool bDelete = false;
        bool bPictures = true;
    };

    // A refused or failed operation: the message and its caption, and the
    // control to focus (1003 the code field, 0 none). Empty text: done.
    struct Refusal
    {
        QString strText;
        QString strCaption;
        int nControl = 0;
        bool IsRefused() const { return !strText.isEmpty(); }
    };

    CProdottiColoriCore(CDaoDatabase& db, const QString& projectFolder, const Widths& widths);

    // The three widths stored in the project's Configurazione.
    static Widths ReadWidths(CDaoDatabase& db);

    // Lists the colours of the product with their thumbnails.
    void LoadColours(qint32 productId);
    qint32 ProductId() const { return m_nProductId; }
    const QList<Item>& Items() const { return m_items; }

    // A click in the list: id of the colour hit, 0 for the empty part.
    // Returns the fields to show; the chosen pictures are forgotten.
    Fields Select(qint32 id);
    qint32 Selected() const { return m_nSelected; }
    Buttons GetButtons() const;

    // "Seleziona foto" / "Seleziona dettaglio": asks m_chooseFile and reads
    // the picture. A cancelled choice keeps the one chosen before; a file
    // that cannot be read is refused and keeps it too.
    Refusal ChoosePicture(Picture kind);
    Refusal SetPicture(Picture kind, const QString& file);
    const QImage& Chosen(Picture kind) const { return kind == Foto ? m_foto : m_dettaglio; }

    Refusal Add(const Fields& typed);
    Refusal Modify(const Fields& typed);
    // Asks "Confermi ?"; on Yes deletes the selected colour with its
    // pictures (logged for the upload). True when it was deleted.
    bool Delete();

    // The existing picture file of a colour as the shop finds it (.jpg,
    // then .gif, letter case aside); empty when there is none.
    QString PictureFile(Picture kind, qint32 id) const;
    QString ThumbnailFile(qint32 id) const;
    // The thumbnail of the list: the detail, else the photo, on a white
    // square, with a badge along the bottom edge for each picture present.
    QImage Thumbnail(qint32 id) const;

    std::function<QString()> m_chooseFile;
    QWidget* m_pParent = nullptr;

private:
    Refusal RequireCode(const Fields& typed) const;
    // Writes the chosen pictures of colour id aside; false with *error.
    bool WritePictures(CImmaginiDaScrivere& files, qint32 id, QString* error) const;
    QString FindPicture(const QString& relativeFolder, qint32 id) const;
    void ClearChosen();

    CDaoDatabase& m_db;
    QString m_strProjectFolder;
    Widths m_widths;
    qint32 m_nProductId = 0;
    qint32 m_nSelected = 0;
    QList<Item> m_items;
    QImage m_foto;
    QImage m_dettaglio;
};
