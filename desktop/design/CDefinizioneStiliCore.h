#pragma once

#include "desktop/design/CAttributiCatalogo.h"
#include "desktop/design/CStileBordiCore.h"
#include "desktop/design/CStileSfondoCore.h"
#include "recordset/CAttributiCSSSet.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

class CDaoDatabase;

// "Definizione stili" without its widgets: the classes of one block of the
// graphic project and, for the class being edited, the 35 attribute values
// as the dialog's pages show them. A class is written to AttributiCSS, one
// row per attribute that has a value, when the selection leaves it and on
// OK; Cancel drops only the edits of the class being edited.
class CDefinizioneStiliCore
{
public:
    static constexpr int kCustomColours = 16;

    struct ClassEntry
    {
        qint32 nId = 0;
        QString strName;          // ClassiCSS.Nome, shown in the list
        QString strDescription;   // ClassiCSS.Descrizione, shown under it
    };

    // projectFolder ends with "/"; the clipboard belongs to the opener and
    // outlives the dialog.
    CDefinizioneStiliCore(CDaoDatabase& graphic, CDaoDatabase& shop, qint32 blockId,
                          const QString& projectFolder, QStringList& clipboard);

    // Reads the block's classes, the custom colours and the languages, and
    // loads the first class. Database failures raise CDaoException.
    void Open();

    const QVector<ClassEntry>& Classes() const { return m_classes; }
    int CurrentIndex() const { return m_nCurrent; }   // -1 while none is loaded
    qint32 CurrentClassId() const;
    QString CurrentDescription() const;

    // The list's selection: the class left is saved, the new one loaded.
    void SelectClass(int index);
    // OK: the class being edited is saved.
    void Confirm();

    // The value an attribute has on its page now; the border page first
    // takes in its controls' edits.
    QString Get(int attribute);
    // Shows a stored value on its page, as the page's control takes it.
    void Set(int attribute, const QString& value);

    CStileBordiCore& Bordi() { return m_bordi; }
    CStileSfondoCore& Sfondo() { return m_sfondo; }
    // "Elimina" on the background page, with the image kept while another
    // class of the project uses it.
    void DeleteBackgroundImage();

    bool CopyEnabled() const { return m_bCopyEnabled; }
    bool PasteEnabled() const { return m_bPasteEnabled; }
    void Copy();
    void Paste();

    // Shared by every colour chooser of the dialog, which may change them.
    std::array<QColor, kCustomColours>& CustomColours() { return m_customColours; }

    bool PerLanguageBackgroundChanged() const { return m_bPerLanguageChanged; }

    // The stored value of one attribute of a class ("" without a row), and
    // the write rule: an empty value removes the row.
    QString ReadAttribute(qint32 classId, int attribute);
    void WriteAttribute(qint32 classId, int attribute, const QString& value);

private:
    void LoadClasses();
    void LoadCustomColours();
    void LoadClass();
    void SaveClass();
    qint32 NextAttributeId();
    bool UsedByAnotherClass(const QStringList& values);

    CDaoDatabase& m_graphic;
    CDaoDatabase& m_shop;
    qint32 m_nBlockId;
    QStringList& m_clipboard;
    CAttributiCSSSet m_attributi;

    QVector<ClassEntry> m_classes;
    int m_nCurrent = -1;
    std::array<QString, CAttributiCatalogo::kCount> m_values;
    CStileBordiCore m_bordi;
    CStileSfondoCore m_sfondo;
    QString m_strStoredImage;   // attribute 26 as the class was loaded
    bool m_bPerLanguageChanged = false;
    bool m_bCopyEnabled = false;
    bool m_bPasteEnabled = false;
    std::array<QColor, kCustomColours> m_customColours;
};
