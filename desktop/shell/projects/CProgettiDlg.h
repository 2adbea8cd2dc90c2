#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QListWidget;
class QRadioButton;

// "Progetti": create a new project or open one, from the recent list or,
// through "Altri progetti...", from the folder chooser.
class CProgettiDlg : public QDialog
{
    Q_OBJECT
public:
    // recentNewestFirst: the recent folders, newest first.
    explicit CProgettiDlg(const QStringList& recentNewestFirst, QWidget* parent = nullptr);
    ~CProgettiDlg() override;

    int DoModal();
    // Fills the list and sets the choice; DoModal calls it.
    void OnInitDialog();

    QString m_strFolder;   // the folder chosen
    int m_nChoice = 0;     // 0 "Crea nuovo progetto", 1 "Apri progetto esistente"

    QListWidget* List() const { return m_pList; }
    QRadioButton* NewButton() const { return m_pNew; }
    QRadioButton* OpenButton() const { return m_pOpen; }

public slots:
    void accept() override;

protected:
    // The folder chooser; false when it was cancelled.
    virtual bool BrowseFolder(QString* folder);

private:
    void OnChoiceChanged();

    QStringList m_recent;
    QListWidget* m_pList = nullptr;
    QRadioButton* m_pNew = nullptr;
    QRadioButton* m_pOpen = nullptr;
};
