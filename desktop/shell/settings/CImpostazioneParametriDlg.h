#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class CDaoDatabase;
class CImpostazioneParametriCore;
class CValidatedEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// "Impostazione parametri": the merchant sets the parameters of one block
// of site code. The rules are CImpostazioneParametriCore; the page-template
// editor opens the dialog and refreshes its preview after OK.
class CImpostazioneParametriDlg : public QDialog
{
    Q_OBJECT
public:
    CImpostazioneParametriDlg(CDaoDatabase& db, CDaoDatabase& shopDb, qint32 idCodiceASP,
                              const QString& projectFolder, QWidget* parent = nullptr);
    ~CImpostazioneParametriDlg() override;

    CImpostazioneParametriCore& Core() { return *m_core; }
    QListWidget* ParameterList() const { return m_pList; }
    CValidatedEdit* ValueEdit() const { return m_pValue; }
    QComboBox* LanguageCombo() const { return m_pLanguage; }
    QComboBox* ChoiceCombo() const { return m_pChoices; }
    QCheckBox* EnableCheck() const { return m_pCheck; }
    QPushButton* ChangeButton() const { return m_pChange; }
    QPushButton* DeleteButton() const { return m_pDelete; }

    // How "Cambia" asks for a file; tests answer it.
    std::function<QString()> m_chooseFile;

    void accept() override;

private:
    void Pull();
    void ShowCurrent();
    void OnChangeFile();

    std::unique_ptr<CImpostazioneParametriCore> m_core;
    QListWidget* m_pList;
    CValidatedEdit* m_pDescription;
    QLabel* m_pValueLabel;
    CValidatedEdit* m_pValue;
    QPushButton* m_pChange;
    QPushButton* m_pDelete;
    QCheckBox* m_pCheck;
    QComboBox* m_pChoices;
    QLabel* m_pLanguageLabel;
    QComboBox* m_pLanguage;
    bool m_bShowing = false;
};
