#pragma once

#include <QString>
#include <QStringList>

class CHttp;
class CSiteUpload;

// The third phase of the site upload: the pictures and files of the rows
// whose ModificataFoto or ModificatoFile is set, then the product
// attachments by their state letter ("d" deleted, "m" changed, "p"
// published), under website/images of the project.
class CSiteUploadFiles
{
public:
    explicit CSiteUploadFiles(CSiteUpload& upload);

    // How many files the phase has to send or delete.
    int Count() const;
    bool Send();

private:
    struct Kind
    {
        const char* tableText;
        const char* table;
        const char* flag;
        const char* title;
        bool image;
    };
    struct File
    {
        QString path;        // on the shop, "\" between folders
        QString name;        // on the shop
        QString localFile;   // under the project folder
    };

    bool SendKind(const Kind& kind);
    QList<File> FilesOf(const Kind& kind, qint32 id, const QString& language) const;
    bool SendFile(CHttp& http, const File& file, bool image, const QString& title);
    bool ProductAttachments();
    void Progress(bool image);
    QString Local(const QString& relative) const;
    QStringList Attachments(const QString& pattern) const;
    int FlaggedRows(const char* table, const char* flag) const;

    CSiteUpload& m_upload;
    int m_total = 0;
    int m_counter = 1;
};
