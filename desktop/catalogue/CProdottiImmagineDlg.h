#pragma once

#include "desktop/catalogue/CProdottiImmagineCore.h"

#include <QWidget>

class QPushButton;
class QSlider;

// Tab page "Immagine" of the product card: flips, brightness and contrast
// with preview and apply, and loading the photo from disk, all on the image
// the card holds (handed in). The rules are CProdottiImmagineCore; the card
// calls EnterPage and LeavePage when its tab is entered and left and
// repaints its image frame through SetRedraw.
class CProdottiImmagineDlg : public QWidget
{
    Q_OBJECT
public:
    CProdottiImmagineDlg(QImage& shown, QImage& reference, bool& imageChanged, QWidget* parent = nullptr);

    CProdottiImmagineCore& Core() { return m_core; }
    void SetRedraw(std::function<void()> redraw) { m_core.m_redraw = std::move(redraw); }
    void EnterPage();
    void LeavePage();

    QSlider* Luminosita() const { return m_pLuminosita; }
    QSlider* Contrasto() const { return m_pContrasto; }

private:
    void OnAnteprima();
    void OnApplica();
    void OnScegliSuDisco();
    void ShowSliders();

    CProdottiImmagineCore m_core;
    QSlider* m_pLuminosita = nullptr;
    QSlider* m_pContrasto = nullptr;
};
