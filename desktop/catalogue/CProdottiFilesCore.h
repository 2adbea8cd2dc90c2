#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The rules of the product card's "Files" page: the files attached to a
// product, copied into the site's product-files folder under a short code.
// A file's name there tells its state to the site update: "m<ID>_<code>.<ext>"
// waits to be sent, "p<ID>_<code>.<ext>" was published, and the empty
// "d<ID>_<code>" asks the site to delete the code's file. Names are lower
// case; codes are one to eight letters and digits, shown in upper case.
class CProdottiFilesCore
{
public:
    // Buttons: add, replace, delete, open.
    struct Buttons
    {
        bool add = true;
        bool replace = false;
        bool remove = false;
        bool open = false;
    };

    // projectFolder bounds every path the page builds.
    explicit CProdottiFilesCore(const QString& projectFolder);

    // <project>/website/images/prodotti/files, given by the view at start.
    void SetFolder(const QString& folder);
    QString Folder() const { return m_strFolder; }

    // The codes of the product's files, from the folder (the view's ShowRecord).
    void FillFileList(qint32 productId);
    const QStringList& Codes() const { return m_codes; }
    qint32 ProductId() const { return m_nProductId; }

    // The code field as typed, and the selected list entry (-1 none).
    void SetCode(const QString& code) { m_strCode = code; }
    QString Code() const { return m_strCode; }
    int Selected() const { return m_nSelected; }
    Buttons ButtonState() const;

    void Select(int index);
    // Each reports its own refusals and failures; true when something changed.
    bool Add();
    bool Replace();
    bool Delete();
    bool Open();

    // The merchant's choice of a file ("" when cancelled) and the shell's
    // "open"; the widget sets real ones, tests replace them.
    std::function<QString()> m_chooseFile;
    std::function<bool(const QString& path)> m_openFile;

    static bool IsValidCode(const QString& code);
    // Lower-case file names of one attachment.
    static QString AttachmentName(qint32 productId, const QString& code, const QString& extension);
    static QString DeletionFlagName(qint32 productId, const QString& code);

private:
    bool CheckCode(const QString& code);
    // The files of code in any state, deletion flags included.
    QStringList FilesOf(const QString& code) const;
    bool CopyChosen(const QString& code, const QString& oldCode);
    bool InsideProject(const QString& path) const;
    void Reset();

    QString m_strProject;
    QString m_strFolder;
    qint32 m_nProductId = 0;
    QStringList m_codes;
    QString m_strCode;
    int m_nSelected = -1;
};
