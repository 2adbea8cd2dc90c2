#pragma once

#include "desktop/design/CImageColours.h"
#include "desktop/design/CStyleColours.h"

#include <QColor>
#include <QSet>
#include <QString>
#include <QStringList>

class CDaoDatabase;

// The rules of "Modifica colori", without widgets: the two modes, the
// style colours and the images they work on, and the questions that save
// a pending change before it could be lost (switching mode, choosing
// another image, "Chiudi"). The questions go through CMessageBox.
class CModificaColoriCore
{
public:
    enum Mode { Stili = 0, Immagini = 1 };

    // projectFolder ends with "/".
    CModificaColoriCore(CDaoDatabase& graphic, const QString& projectFolder);

    // Reads the census; false when the project has no colour. A database
    // that cannot be read is reported and shows an empty list.
    bool Open();

    Mode GetMode() const { return m_mode; }
    CStyleColours& Styles() { return m_styles; }
    CImageColours& Images() { return m_images; }
    // The names of the image list (filled when the image mode is chosen).
    const QStringList& ImageNames() const { return m_imageNames; }

    // "Immagini": offers to save changed style colours, lists the images
    // and loads the first.
    void SelectImages();
    // "Stili": offers to save a changed image and changed style colours,
    // then reads the census again (what was not saved is dropped) and
    // releases the image.
    void SelectStyles();
    // Offers to save the changed image when it is another one, then loads
    // the image of the list at index. False when it cannot be read.
    bool SelectImage(int index);

    // "Cambia" with the chosen colour: in the style mode the entry at index
    // takes it; in the image mode every pixel of colour picked does.
    void ChangeEntry(int index, const QColor& chosen);
    void ChangeImage(const QColor& picked, const QColor& chosen);

    // Ask "Vuoi salvare le modifiche?" and write on Yes. False only when
    // the write failed: it was reported and the change is still pending;
    // after No it is pending too, and asked for again at "Chiudi".
    bool SaveStyleColours();
    bool SaveImage();

    // "Chiudi": saves what is pending, after asking. False when a write
    // failed, so the merchant can try again before the change is lost.
    bool Close();

    // The classes whose attributes were written, whichever way the dialog
    // ends: their style sheets must be written again.
    const QSet<qint32>& ChangedClasses() const { return m_changedClasses; }

private:
    void ReadCensus();

    CStyleColours m_styles;
    CImageColours m_images;
    QStringList m_imageNames;
    QSet<qint32> m_changedClasses;
    Mode m_mode = Stili;
};
