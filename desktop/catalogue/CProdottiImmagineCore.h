#pragma once

#include <QImage>
#include <QString>

#include <functional>

// The rules of the product card's image page, without widgets. The image
// lives in the product editor view: the shown image (drawn in the card and
// written to the site on save), its reference copy and the image-changed
// flag; the view hands the three in and this page works on them. Flips act
// on the shown image; a preview always starts again from the reference
// copy, so previews never add up and an unapplied flip is dropped by the
// next preview; "Applica" makes the shown image the new reference.
class CProdottiImmagineCore
{
public:
    static constexpr int kNeutral = 100;
    static constexpr int kMinimum = 50;
    static constexpr int kMaximum = 150;

    CProdottiImmagineCore(QImage& shown, QImage& reference, bool& imageChanged);

    // "Flip orizzontale" (left-right) and "Flip verticale" (top-bottom).
    void FlipOrizzontale();
    void FlipVerticale();
    // "Anteprima": the reference copy adjusted by the two slider values.
    void Anteprima(int brightness, int contrast);
    // "Applica": the shown image becomes the reference; the sliders go
    // back to neutral.
    void Applica();
    // "Scegli su disco": asks m_chooseFile for a file and loads it. A
    // cancelled choice or a file that cannot be read leaves the image, the
    // reference and the flag as they were; false with the message in *error
    // for an unreadable file.
    bool ScegliSuDisco(QString* error);
    bool LoadFile(const QString& file, QString* error);

    // The view calls these when its image tab is entered and left: entering
    // takes the shown image as the reference; leaving drops what was
    // previewed and not applied.
    void EnterPage();
    void LeavePage();

    int Luminosita() const { return m_nLuminosita; }
    int Contrasto() const { return m_nContrasto; }
    void SetSliders(int brightness, int contrast);

    // The file chosen by the merchant, empty when cancelled.
    std::function<QString()> m_chooseFile;
    // Repaints the view's image frame.
    std::function<void()> m_redraw;

private:
    void Redraw() const;

    QImage& m_shown;
    QImage& m_reference;
    bool& m_bImageChanged;
    int m_nLuminosita = kNeutral;
    int m_nContrasto = kNeutral;
};
