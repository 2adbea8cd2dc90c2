#include "desktop/catalogue/CProdottiImmagineCore.h"

#include "desktop/catalogue/CImmagine.h"

#include <algorithm>

CProdottiImmagineCore::CProdottiImmagineCore(QImage& shown, QImage& reference, bool& imageChanged)
    : m_shown(shown), m_reference(reference), m_bImageChanged(imageChanged)
{
}

void CProdottiImmagineCore::FlipOrizzontale()
{
    if (m_shown.isNull())
        return;
    m_shown = CImmagine::Mirror(m_shown);
    m_bImageChanged = true;
    Redraw();
}

void CProdottiImmagineCore::FlipVerticale()
{
    if (m_shown.isNull())
        return;
    m_shown = CImmagine::Flip(m_shown);
    m_bImageChanged = true;
    Redraw();
}

void CProdottiImmagineCore::Anteprima(int brightness, int contrast)
{
    SetSliders(brightness, contrast);
    if (m_reference.isNull())
        return;
    m_shown = CImmagine::AdjustContrast(CImmagine::AdjustBrightness(m_reference, m_nLuminosita), m_nContrasto);
    Redraw();
}

void CProdottiImmagineCore::Applica()
{
    m_reference = m_shown;
    if (!m_shown.isNull())
        m_bImageChanged = true;
    m_nLuminosita = kNeutral;
    m_nContrasto = kNeutral;
}

bool CProdottiImmagineCore::ScegliSuDisco(QString* error)
{
    const QString file = m_chooseFile ? m_chooseFile() : QString();
    if (file.isEmpty())
        return true;
    return LoadFile(file, error);
}

bool CProdottiImmagineCore::LoadFile(const QString& file, QString* error)
{
    const QImage image = CImmagine::Load(file, error);
    if (image.isNull())
        return false;
    m_shown = image;
    m_reference = image;
    m_bImageChanged = true;
    Redraw();
    return true;
}

void CProdottiImmagineCore::EnterPage()
{
    m_reference = m_shown;
}

void CProdottiImmagineCore::LeavePage()
{
    m_shown = m_reference;
    m_nLuminosita = kNeutral;
    m_nContrasto = kNeutral;
    Redraw();
}

void CProdottiImmagineCore::SetSliders(int brightness, int contrast)
{
    m_nLuminosita = std::clamp(brightness, kMinimum, kMaximum);
    m_nContrasto = std::clamp(contrast, kMinimum, kMaximum);
}

void CProdottiImmagineCore::Redraw() const
{
    if (m_redraw)
        m_redraw();
}
