#pragma once

#include <QDialog>
#include <QString>

class CValidatedEdit;
class QPushButton;

// "Nuovo progetto": a name and the folder it makes under the base folder.
// OK creates that folder and refuses, keeping the dialog, when it can't
// (it exists already, or a parent is missing).
class CNuovoProgettoDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CNuovoProgettoDlg(QWidget* parent = nullptr);
    ~CNuovoProgettoDlg() override;

    int DoModal();
    // Shows m_strFolder in the folder field; DoModal calls it.
    void OnInitDialog();

    QString m_strFolder;   // before: the base folder offered; after OK: the new project's folder
    QString m_strName;

    CValidatedEdit* NameEdit() const { return m_pName; }
    CValidatedEdit* FolderEdit() const { return m_pFolder; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* BrowseButton() const { return m_pBrowse; }
    // What the dialog says of the characters it left out of the name.
    class QLabel* DroppedLabel() const { return m_pDropped; }

public slots:
    void accept() override;

protected:
    // The folder chooser; false when it was cancelled.
    virtual bool BrowseFolder(QString* folder);

private:
    void OnNameChanged();
    void OnBrowse();
    void OnCharacterRefused(QChar ch);
    void ShowFolder();

    CValidatedEdit* m_pName = nullptr;
    CValidatedEdit* m_pFolder = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pBrowse = nullptr;
    class QLabel* m_pDropped = nullptr;
    QString m_dropped;
};
