#pragma once

#include "desktop/catalogue/CCatalogueJobRunner.h"
#include "desktop/catalogue/CImportDatiSettings.h"
#include "desktop/catalogue/IImportDatiUi.h"

#include <memory>

#include <QDialog>

class CDaoDatabase;
class CGridCtrl;
class CValidatedEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;

// "Import dati esterni": the merchant picks the file, the language of its
// texts and prices, the fields of a line and their order, the separator
// and what happens to products the file no longer lists; the preview shows
// the first lines as they will be read. "Avvio" runs CImportDati on a
// working copy, on a worker thread, with the line counter and progress;
// "Annulla", Escape and the close button stop a run (the database stays as
// it was) or close the dialog. The rules live in
// CImportDatiSettings; this class shows them and forwards.
class CImportDatiDlg : public QDialog, public ICatalogueProgress, public IImportDatiUi
{
    Q_OBJECT
public:
    CImportDatiDlg(CDaoDatabase& database, const QString& projectFolder, const QString& currentLanguage,
                   const QString& defaultLanguage, QWidget* parent = nullptr);
    ~CImportDatiDlg() override;

    void SetFile(const QString& path);
    CImportDatiSettings& Settings() { return m_settings; }

    // ICatalogueProgress
    void SetLabel(const QString& text) override;
    void SetTotal(int total) override;
    void SetDone(int done) override;
    // IImportDatiUi, asked from the job's thread
    bool GoOnAfterBadLine(const QString& message) override;

    QListWidget* FieldList() const { return m_pFields; }
    CGridCtrl* PreviewGrid() const { return m_pPreview; }
    QComboBox* LanguageCombo() const { return m_pLanguage; }
    QCheckBox* ObsoleteCheck() const { return m_pObsolete; }
    QRadioButton* DeleteRadio() const { return m_pDelete; }
    QRadioButton* DeactivateRadio() const { return m_pDeactivate; }
    CValidatedEdit* SeparatorEdit() const { return m_pSeparator; }
    QPushButton* StartButton() const { return m_pStart; }
    QPushButton* CancelButton() const { return m_pCancel; }
    QLabel* StatusLabel() const { return m_pStatus; }
    CCatalogueJobRunner& Jobs() { return m_jobs; }

public slots:
    void OnAvvio();
    void reject() override;

private:
    void BuildLayout();
    void LoadLanguages(const QString& defaultLanguage);
    void FillFieldList();
    void OnFieldChanged(int row);
    void OnSelectionChanged(int row);
    void OnMove(int direction);
    void OnObsolete(bool on);
    void OnBrowse();
    void OnShowCategoryIds();
    void RefreshPreview();
    void UpdateMoveButtons();
    void OnJobEnd(CCatalogueJob::Result result);

    CDaoDatabase& m_db;
    QString m_strProjectFolder;
    QString m_strCurrentLanguage;
    QString m_strDefaultLanguage;
    CImportDatiSettings m_settings;
    std::unique_ptr<CImportDati> m_pJob;
    bool m_bFilling = false;

    QLineEdit* m_pFile = nullptr;
    QPushButton* m_pBrowse = nullptr;
    QComboBox* m_pLanguage = nullptr;
    QListWidget* m_pFields = nullptr;
    QToolButton* m_pUp = nullptr;
    QToolButton* m_pDown = nullptr;
    QCheckBox* m_pObsolete = nullptr;
    QRadioButton* m_pDelete = nullptr;
    QRadioButton* m_pDeactivate = nullptr;
    CValidatedEdit* m_pSeparator = nullptr;
    QPushButton* m_pCategoryIds = nullptr;
    CGridCtrl* m_pPreview = nullptr;
    QLabel* m_pStatus = nullptr;
    QProgressBar* m_pBar = nullptr;
    QPushButton* m_pStart = nullptr;
    QPushButton* m_pCancel = nullptr;
    // After the job: it waits for the worker before the job goes.
    CCatalogueJobRunner m_jobs;
};
