#pragma once

#include "desktop/design/CStilePagina.h"

#include <functional>

class CValidatedEdit;
class QComboBox;
class QLineEdit;
class QPushButton;

// "  Sfondo  ": the background image, copied into the project's images
// folder for every language or for one ("Lingua"), its position and its
// repetition.
class CStileSfondoDlg : public CStilePagina
{
    Q_OBJECT
public:
    // Asks for the image to copy; "" when none was chosen.
    using FileChooser = std::function<QString(QWidget* parent)>;

    explicit CStileSfondoDlg(CDefinizioneStiliCore& core, QWidget* parent = nullptr);

    void Refresh() override;
    // Tests choose the file without the open-file dialog.
    void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

    QLineEdit* ImageEdit() const { return m_pImage; }
    QPushButton* ChangeButton() const { return m_pChange; }
    QPushButton* DeleteButton() const { return m_pDelete; }
    QComboBox* LanguageCombo() const { return m_pLanguage; }

private:
    void OnChange();
    void OnDelete();
    static QString AskForImage(QWidget* parent);

    QLineEdit* m_pImage;
    QPushButton* m_pChange;
    QPushButton* m_pDelete;
    QComboBox* m_pLanguage;
    CValidatedEdit* m_pX;
    CValidatedEdit* m_pY;
    FileChooser m_chooser;
};
