#include "desktop/catalogue/CProdottiColoriCore.h"

#include "desktop/catalogue/CImmagine.h"
#include "desktop/catalogue/CImmaginiDaScrivere.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CProdottiColoriSet.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>

namespace {

const QString kColori = QStringLiteral("website/images/prodotti/colori");
const QString kThumbnail = QStringLiteral("website/images/prodotti/colori/th");
const QString kDettagli = QStringLiteral("website/images/prodotti/colori/dettagli");
const QString kCaption = QStringLiteral("Colori prodotti");
constexpr int kBadgeSide = 10;
constexpr int kCodeControl = 1003;

// The two badges along a thumbnail's bottom edge: a photo and a detail.
void DrawBadge(QPainter& painter, int x, int top, const QColor& colour)
{
    painter.fillRect(x, top, kBadgeSide, kBadgeSide, colour);
    painter.setPen(Qt::white);
    painter.drawRect(x, top, kBadgeSide - 1, kBadgeSide - 1);
}

} // namespace

CProdottiColoriCore::CProdottiColoriCore(CDaoDatabase& db, const QString& projectFolder, const Widths& widths)
    : m_db(db), m_strProjectFolder(CProjectFolder::WithSlash(projectFolder)), m_widths(widths)
{
}

CProdottiColoriCore::Widths CProdottiColoriCore::ReadWidths(CDaoDatabase& db)
{
    Widths widths;
    CConfigurazioneSet settings(&db);
    settings.Open();
    if (!settings.IsEOF()) {
        widths.nFoto = settings.m_DimFoto;
        widths.nThumbnail = settings.m_DimThumbnail;
        widths.nColori = settings.m_DimColori;
    }
    settings.Close();
    return widths;
}

void CProdottiColoriCore::LoadColours(qint32 productId)
{
    m_nProductId = productId;
    m_items.clear();
    CProdottiColoriSet colours(&m_db);
    colours.m_strProjectFolder = m_strProjectFolder;
    colours.m_strFilter = QStringLiteral("IDProdotto=?");
    colours.m_filterParams = {productId};
    colours.m_strSort = QStringLiteral("ID");
    colours.Open();
    for (; !colours.IsEOF(); colours.MoveNext())
        m_items.append({colours.m_ID, colours.m_Codice, Thumbnail(colours.m_ID)});
    colours.Close();
    Select(0);
}

CProdottiColoriCore::Fields CProdottiColoriCore::Select(qint32 id)
{
    ClearChosen();
    m_nSelected = 0;
    Fields fields;
    if (id <= 0)
        return fields;
    CProdottiColoriSet colour(&m_db);
    colour.m_strProjectFolder = m_strProjectFolder;
    colour.m_strFilter = QStringLiteral("ID=? AND IDProdotto=?");
    colour.m_filterParams = {id, m_nProductId};
    colour.Open();
    if (!colour.IsEOF()) {
        m_nSelected = id;
        fields = {colour.m_Codice, colour.m_Descrizione, colour.m_Attivo};
    }
    colour.Close();
    return fields;
}

CProdottiColoriCore::Buttons CProdottiColoriCore::GetButtons() const
{
    const bool selected = m_nSelected > 0;
    return {!selected, selected, selected, true};
}

CProdottiColoriCore::Refusal CProdottiColoriCore::ChoosePicture(Picture kind)
{
    const QString file = m_chooseFile ? m_chooseFile() : QString();
    if (file.isEmpty())
        return {};
    return SetPicture(kind, file);
}

CProdottiColoriCore::Refusal CProdottiColoriCore::SetPicture(Picture kind, const QString& file)
{
    QString error;
    const QImage image = CImmagine::Load(file, &error);
    if (image.isNull())
        return {error, kCaption, 0};
    (kind == Foto ? m_foto : m_dettaglio) = image;
    return {};
}

CProdottiColoriCore::Refusal CProdottiColoriCore::RequireCode(const Fields& typed) const
{
    if (typed.strCodice.trimmed().isEmpty())
        return {QStringLiteral("Campo obbligatorio!"), QStringLiteral("Validazione campi"), kCodeControl};
    return {};
}

CProdottiColoriCore::Refusal CProdottiColoriCore::Add(const Fields& typed)
{
    if (Refusal refusal = RequireCode(typed); refusal.IsRefused())
        return refusal;
    if (m_foto.isNull() && m_dettaglio.isNull())
        return {QStringLiteral("E' necessario selezionare almeno una immagine (foto o dettaglio)."), kCaption, 0};
    CProdottiColoriSet colours(&m_db);
    colours.m_strProjectFolder = m_strProjectFolder;
    colours.m_strFilter = QStringLiteral("IDProdotto=?");
    colours.m_filterParams = {m_nProductId};
    colours.Open();
    const qint32 id = colours.GetNextID();
    CImmaginiDaScrivere files;
    QString error;
    if (!WritePictures(files, id, &error))
        return {error, kCaption, 0};
    colours.AddNew();
    colours.m_ID = id;
    colours.m_IDProdotto = m_nProductId;
    colours.m_Codice = typed.strCodice.trimmed();
    colours.m_Descrizione = typed.strDescrizione;
    colours.m_Attivo = typed.bAttivo;
    colours.m_ModificataFoto = true;
    colours.m_Modificato = true;
    colours.Update();
    colours.Close();
    const bool written = files.Commit(&error);
    ClearChosen();
    m_items.append({id, typed.strCodice.trimmed(), Thumbnail(id)});
    return written ? Refusal() : Refusal{error, kCaption, 0};
}

CProdottiColoriCore::Refusal CProdottiColoriCore::Modify(const Fields& typed)
{
    if (Refusal refusal = RequireCode(typed); refusal.IsRefused())
        return refusal;
    if (m_nSelected <= 0)
        return {};
    CImmaginiDaScrivere files;
    QString error;
    if (!WritePictures(files, m_nSelected, &error))
        return {error, kCaption, 0};
    CProdottiColoriSet colour(&m_db);
    colour.m_strProjectFolder = m_strProjectFolder;
    colour.m_strFilter = QStringLiteral("ID=?");
    colour.m_filterParams = {m_nSelected};
    colour.Open();
    if (colour.IsEOF())
        return {};
    colour.Edit();
    colour.m_Codice = typed.strCodice.trimmed();
    colour.m_Descrizione = typed.strDescrizione;
    colour.m_Attivo = typed.bAttivo;
    if (!files.IsEmpty())
        colour.m_ModificataFoto = true;
    colour.m_Modificato = true;
    colour.Update();
    colour.Close();
    const bool written = files.Commit(&error);
    for (Item& item : m_items) {
        if (item.nId == m_nSelected) {
            item.strCodice = typed.strCodice.trimmed();
            item.thumbnail = Thumbnail(item.nId);
        }
    }
    Select(0);
    return written ? Refusal() : Refusal{error, kCaption, 0};
}

bool CProdottiColoriCore::Delete()
{
    if (m_nSelected <= 0)
        return false;
    if (CMessageBox::Show(m_pParent, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione colore"),
                          CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return false;
    CProdottiColoriSet colour(&m_db);
    colour.m_strProjectFolder = m_strProjectFolder;
    colour.m_strFilter = QStringLiteral("ID=?");
    colour.m_filterParams = {m_nSelected};
    colour.Open();
    if (!colour.IsEOF())
        colour.Delete();
    colour.Close();
    const qint32 id = m_nSelected;
    m_items.erase(std::remove_if(m_items.begin(), m_items.end(), [id](const Item& item) { return item.nId == id; }),
                  m_items.end());
    Select(0);
    return true;
}

bool CProdottiColoriCore::WritePictures(CImmaginiDaScrivere& files, qint32 id, QString* error) const
{
    const QString name = QString::number(id) + QStringLiteral(".jpg");
    const auto add = [&](const QImage& image, const QString& relative, int width) {
        const QString folder = CImmagine::FolderInside(m_strProjectFolder, relative);
        if (folder.isEmpty()) {
            *error = QStringLiteral("Impossibile creare la cartella %1.")
                         .arg(QDir::toNativeSeparators(QDir(m_strProjectFolder).filePath(relative)));
            return false;
        }
        return files.Add(CImmagine::ToWidth(image, width), QDir(folder).filePath(name), error);
    };
    if (!m_foto.isNull()
        && (!add(m_foto, kColori, m_widths.nFoto) || !add(m_foto, kThumbnail, m_widths.nThumbnail)))
        return false;
    if (!m_dettaglio.isNull() && !add(m_dettaglio, kDettagli, m_widths.nColori))
        return false;
    return true;
}

QString CProdottiColoriCore::FindPicture(const QString& relativeFolder, qint32 id) const
{
    const QDir folder(QDir(m_strProjectFolder).filePath(relativeFolder));
    const QStringList names = folder.entryList(QDir::Files, QDir::Name);
    for (const char* extension : {".jpg", ".gif"}) {
        const QString wanted = QString::number(id) + QLatin1String(extension);
        for (const QString& name : names)
            if (name.compare(wanted, Qt::CaseInsensitive) == 0)
                return folder.filePath(name);
    }
    return QString();
}

QString CProdottiColoriCore::PictureFile(Picture kind, qint32 id) const
{
    return FindPicture(kind == Foto ? kColori : kDettagli, id);
}

QString CProdottiColoriCore::ThumbnailFile(qint32 id) const
{
    return FindPicture(kThumbnail, id);
}

QImage CProdottiColoriCore::Thumbnail(qint32 id) const
{
    const QString foto = PictureFile(Foto, id);
    const QString dettaglio = PictureFile(Dettaglio, id);
    const QString shown = dettaglio.isEmpty() ? foto : dettaglio;
    QImage square = CImmagine::Square(shown.isEmpty() ? QImage() : CImmagine::Load(shown, nullptr), kThumbnailSide);
    QPainter painter(&square);
    const int top = kThumbnailSide - kBadgeSide;
    if (!foto.isEmpty())
        DrawBadge(painter, 0, top, QColor(0x1f, 0x5f, 0xbf));
    if (!dettaglio.isEmpty())
        DrawBadge(painter, foto.isEmpty() ? 0 : 12, top, QColor(0x2f, 0x9f, 0x3f));
    painter.end();
    return square;
}

void CProdottiColoriCore::ClearChosen()
{
    m_foto = QImage();
    m_dettaglio = QImage();
}
