#pragma once

#include <QDialog>

#include <memory>

class CDaoDatabase;
class CFunzionalitaCore;
class CValidatedEdit;
class QListWidget;
class QPushButton;

// "Funzionalità": the merchant picks one site code block by category,
// reading the descriptions; after "Aggiungi" GetResult is its ID.
class CFunzionalitaDlg : public QDialog
{
    Q_OBJECT
public:
    CFunzionalitaDlg(CDaoDatabase& db, QWidget* parent = nullptr);
    ~CFunzionalitaDlg() override;

    qint32 GetResult() const;
    CFunzionalitaCore& Core() { return *m_core; }
    QListWidget* CategoryList() const { return m_pCategories; }
    QListWidget* FeatureList() const { return m_pFeatures; }
    QPushButton* AddButton() const { return m_pAdd; }
    CValidatedEdit* DescriptionEdit() const { return m_pDescription; }

private:
    void OnCategoryChanged();
    void OnFeatureChanged();

    std::unique_ptr<CFunzionalitaCore> m_core;
    QListWidget* m_pCategories;
    QListWidget* m_pFeatures;
    CValidatedEdit* m_pDescription;
    QPushButton* m_pAdd;
};
