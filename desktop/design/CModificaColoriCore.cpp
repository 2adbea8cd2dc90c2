#include "desktop/design/CModificaColoriCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoException.h"

namespace {

const QString kStylesTitle = QStringLiteral("Modifica colori");
const QString kImagesTitle = QStringLiteral("Modifica immagini");

bool AskToSave(const QString& text, const QString& title)
{
    return CMessageBox::Show(nullptr, text, title, CMessageBox::Exclamation, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

void Report(const QString& text, const QString& title)
{
    CMessageBox::Show(nullptr, text, title, CMessageBox::Stop);
}

} // namespace

CModificaColoriCore::CModificaColoriCore(CDaoDatabase& graphic, const QString& projectFolder)
    : m_styles(graphic), m_images(projectFolder)
{
}

bool CModificaColoriCore::Open()
{
    m_mode = Stili;
    ReadCensus();
    return !m_styles.Entries().isEmpty();
}

void CModificaColoriCore::ReadCensus()
{
    try {
        m_styles.LoadColourCensus();
    } catch (const CDaoException& error) {
        Report(error.GetErrorMessage(), kStylesTitle);
    }
}

void CModificaColoriCore::SelectImages()
{
    if (m_styles.IsChanged())
        SaveStyleColours();
    m_mode = Immagini;
    m_imageNames = m_images.ImageNames();
    if (!m_imageNames.isEmpty())
        SelectImage(0);
}

void CModificaColoriCore::SelectStyles()
{
    if (m_images.IsChanged())
        SaveImage();
    if (m_styles.IsChanged())
        SaveStyleColours();
    m_mode = Stili;
    ReadCensus();
    m_images.Release();
}

bool CModificaColoriCore::SelectImage(int index)
{
    if (index < 0 || index >= m_imageNames.size())
        return false;
    const QString& name = m_imageNames.at(index);
    if (m_images.IsLoaded() && m_images.Name() == name)
        return true;
    if (m_images.IsChanged())
        SaveImage();
    return m_images.Load(name);
}

void CModificaColoriCore::ChangeEntry(int index, const QColor& chosen)
{
    m_styles.Change(index, chosen);
}

void CModificaColoriCore::ChangeImage(const QColor& picked, const QColor& chosen)
{
    m_images.Replace(picked, chosen);
}

bool CModificaColoriCore::SaveStyleColours()
{
    if (!AskToSave(QStringLiteral("ATTENZIONE: sono stati modificati i colori.\n\nVuoi salvare le modifiche?"),
                   kStylesTitle))
        return true;
    try {
        m_changedClasses.unite(m_styles.Write());
    } catch (const CDaoException& error) {
        Report(error.GetErrorMessage(), kStylesTitle);
        return false;
    }
    ReadCensus();
    return true;
}

bool CModificaColoriCore::SaveImage()
{
    if (!AskToSave(QStringLiteral("ATTENZIONE: l'immagine è stata modificata.\n\nVuoi salvare le modifiche?"),
                   kImagesTitle))
        return true;
    QString error;
    if (!m_images.Save(&error)) {
        Report(error, kImagesTitle);
        return false;
    }
    return true;
}

bool CModificaColoriCore::Close()
{
    const bool styles = !m_styles.IsChanged() || SaveStyleColours();
    const bool image = !m_images.IsChanged() || SaveImage();
    return styles && image;
}
