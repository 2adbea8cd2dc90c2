#pragma once

#include "desktop/design/CModificaColoriCore.h"

#include <QColor>
#include <QDialog>
#include <QSet>

#include <functional>

class CColorListBox;
class CColorSwatch;
class CColourPreview;
class CDaoDatabase;
class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QToolButton;

// "Modifica colori": every colour of the site's styles replaced in one
// place, and colours replaced inside the site's GIF images. The dialog
// shows and forwards; CModificaColoriCore decides and saves.
class CModificaColoriDlg : public QDialog
{
    Q_OBJECT
public:
    // projectFolder ends with "/".
    CModificaColoriDlg(CDaoDatabase& graphic, const QString& projectFolder, QWidget* parent = nullptr);
    ~CModificaColoriDlg() override;

    // The classes (AttributiCSS.IDClasse) whose attributes were changed:
    // their style sheets must be written again.
    const QSet<qint32>& ChangedClasses() const { return m_core.ChangedClasses(); }

    // How "Cambia" asks for the new colour (the system's colour chooser;
    // tests answer it); an invalid colour is a cancelled choice.
    using ColourChooser = std::function<QColor(const QColor& initial)>;
    void SetColourChooser(ColourChooser chooser) { m_chooseColour = std::move(chooser); }

    int Zoom() const { return m_nZoom; }

public slots:
    // "Chiudi": saves what is pending, after asking, and closes.
    void accept() override;

private:
    void BuildControls();
    void FillColours();
    void ShowColour(const QColor& colour);
    void ClearColour();
    void OnModeChosen(int mode);
    void OnColourSelected(int row);
    void OnImageSelected(int row);
    void ShowImage();
    void SetZoom(int zoom);
    void OnPickToggled(bool picking);
    void OnPreviewHovered(const QPoint& point);
    void OnPreviewReleased(const QPoint& point);
    void OnCambia();

    CModificaColoriCore m_core;
    ColourChooser m_chooseColour;
    int m_nZoom = 100;
    bool m_bPicking = false;
    QColor m_picked;

    QButtonGroup* m_mode = nullptr;
    CColorListBox* m_colours = nullptr;
    QListWidget* m_images = nullptr;
    CColourPreview* m_preview = nullptr;
    QSlider* m_zoom = nullptr;
    QLabel* m_zoomText = nullptr;
    QLabel* m_colourText = nullptr;
    CColorSwatch* m_swatch = nullptr;
    QToolButton* m_pick = nullptr;
    QPushButton* m_cambia = nullptr;
};
