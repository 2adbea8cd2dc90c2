#pragma once

#include "desktop/content/CSelezioneArticoloCore.h"

#include <QDialog>

class CTreePopupDlg;
class CValidatedEdit;
class QComboBox;
class QListWidget;
class QToolButton;

// "Selezione articolo risposta modulo": a section chosen in a popup tree,
// its articles in a list; OK (or a double click) chooses the selected one.
class CSelezioneArticoloDlg : public QDialog
{
    Q_OBJECT
public:
    CSelezioneArticoloDlg(CDaoDatabase& database, qint32 section, const QString& currentLanguage,
                          const QString& defaultLanguage, QWidget* parent = nullptr);

    // The article chosen; 0 when no line was selected.
    qint32 ChosenArticle() const { return m_nChosen; }

    CSelezioneArticoloCore& Core() { return m_core; }
    CValidatedEdit* SectionEdit() const { return m_pSection; }
    QComboBox* ShowCombo() const { return m_pShow; }
    QListWidget* List() const { return m_pList; }
    CTreePopupDlg* Popup() const { return m_pPopup; }

    void accept() override;

private:
    void ShowLines();

    CSelezioneArticoloCore m_core;
    CValidatedEdit* m_pSection;
    QToolButton* m_pChoose;
    QComboBox* m_pShow;
    QListWidget* m_pList;
    CTreePopupDlg* m_pPopup;
    qint32 m_nChosen = 0;
};
