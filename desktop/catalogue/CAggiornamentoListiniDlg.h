#pragma once

#include "desktop/catalogue/CAggiornamentoListini.h"
#include "desktop/catalogue/CCatalogueJobRunner.h"

#include <memory>

#include <QDialog>

class CTreePopupDlg;
class CDaoDatabase;
class CValidatedEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;

// "Aggiornamento listini": the merchant chooses a category (or all), the
// percentage, the list and whether promotional prices change too; "Avvio"
// runs CAggiornamentoListini on a worker thread with the progress in
// counts; "Annulla", Escape and the close button stop it (the prices stay
// as they were) or close the dialog.
class CAggiornamentoListiniDlg : public QDialog, public ICatalogueProgress
{
    Q_OBJECT
public:
    CAggiornamentoListiniDlg(CDaoDatabase& database, const QString& projectFolder, const QString& currentLanguage,
                             const QString& defaultLanguage, QWidget* parent = nullptr);
    ~CAggiornamentoListiniDlg() override;

    void ChooseCategory(qint32 id, const QString& text);
    qint32 Category() const { return m_nCategory; }

    void SetLabel(const QString& text) override;
    void SetTotal(int total) override;
    void SetDone(int done) override;

    CValidatedEdit* PercentEdit() const { return m_pPercent; }
    QComboBox* ListCombo() const { return m_pList; }
    QCheckBox* PromotionalCheck() const { return m_pPromo; }
    QPushButton* StartButton() const { return m_pStart; }
    QPushButton* CancelButton() const { return m_pCancel; }
    QToolButton* CategoryButton() const { return m_pChoose; }
    CTreePopupDlg* Popup() const { return m_pPopup; }
    CCatalogueJobRunner& Jobs() { return m_jobs; }

public slots:
    void OnAvvio();
    void reject() override;

private:
    void OnJobEnd(CCatalogueJob::Result result);

    CDaoDatabase& m_db;
    QString m_strProjectFolder;
    qint32 m_nCategory = 0;
    std::unique_ptr<CAggiornamentoListini> m_pJob;

    CValidatedEdit* m_pCategory = nullptr;
    QToolButton* m_pChoose = nullptr;
    CTreePopupDlg* m_pPopup = nullptr;
    CValidatedEdit* m_pPercent = nullptr;
    QComboBox* m_pList = nullptr;
    QCheckBox* m_pPromo = nullptr;
    QProgressBar* m_pBar = nullptr;
    QLabel* m_pCount = nullptr;
    QPushButton* m_pStart = nullptr;
    QPushButton* m_pCancel = nullptr;
    // After the job: it waits for the worker before the job goes.
    CCatalogueJobRunner m_jobs;
};
