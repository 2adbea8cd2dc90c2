#pragma once

#include <QDialog>
#include <QString>

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

// Chooses a folder in a tree or by its path typed in the path field; with
// showEditBox the user may also name one that does not exist yet: on OK the typed path is checked, the
// user is offered to create the missing folders and they are created.
// Only absolute paths are accepted.
class CFolderDialog : public QDialog
{
    Q_OBJECT
public:
    enum PathResult { PathValid = 0, PathInvalid = 1, PathNotCreated = 2 };

    CFolderDialog(const QString& caption, const QString& prompt, const QString& startFolder,
                  bool showEditBox, QWidget* parent = nullptr);
    ~CFolderDialog() override;

    // 1 when OK succeeded, -1 otherwise.
    int DoModal();
    QString GetPath() const { return m_strPath; }

    // 0 valid (and every folder of it created unless checkOnly), 1 not a
    // valid path, 2 a folder could not be created or does not exist.
    static int MakeFolderPath(const QString& path, bool checkOnly);
    static bool IsValidFolderName(const QString& name);

    // OK's checks on a typed path; true when it may be returned.
    bool AcceptPath(const QString& path);
    // What selecting a folder in the tree does.
    void SelectFolder(const QString& path);

    QLineEdit* EditBox() const { return m_pEdit; }
    QTreeView* Tree() const { return m_pTree; }
    QPushButton* OkButton() const { return m_pOk; }

public slots:
    void accept() override;

private:
    void ReportPathResult(int result, const QString& path);
    void ShowTypedFolder(const QString& path);

    QString m_strPath;
    bool m_bResult = false;
    bool m_bMayCreate = false;
    QFileSystemModel* m_pModel = nullptr;
    QTreeView* m_pTree = nullptr;
    QLineEdit* m_pEdit = nullptr;
    QLabel* m_pStatus = nullptr;
    QPushButton* m_pOk = nullptr;
};
