#pragma once

#include "exchange/CSiteUpload.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"
#include "recordset/IQtrHost.h"

#include <functional>

class CConfigurazioneSet;

// A new desktop project made from the reference database, registered as
// the table classes' host, set to upload to a shop on loopback.
class RoadProject : public IQtrHost
{
public:
    RoadProject();
    // A project the desktop makes itself: make fills the empty folder
    // (database included) before it is opened.
    explicit RoadProject(const std::function<void(const QString& folder)>& make);
    ~RoadProject() override;

    void PointAt(quint16 port, const QString& password);
    // Edits the settings row as the general parameters view saves it.
    void EditSettings(const std::function<void(CConfigurazioneSet&)>& edit);
    // A product with its Italian name and price, a colour and a picture,
    // saved through the table classes. Returns its ID.
    qint32 AddProduct(qint32 id, const QString& name, double price);
    void DeleteProduct(qint32 id);
    // The order export: path.ini naming the folder "scambio", and an
    // export script that appends the order's ID and the value of one of
    // its Ordini columns to scambio/esportati.txt, so a repeated export
    // shows.
    void WriteExportScript(const QString& column);
    // A top-level category with its Italian name, saved through the table classes.
    void AddCategory(qint32 id, const QString& name);

    // One run of the site upload, as the desktop's command starts it; files
    // go in pieces of pieceSize bytes when it is given.
    CSiteUpload::Result Upload(qint64 pieceSize = 0);
    // What the runs wrote to the project's upload log.
    QString UploadLog() const;

    // A file the merchant picks on disk, outside the project: the bytes
    // given, or a plain picture in imageFormat.
    QString Picked(const QString& name, const QByteArray& bytes = {}, const char* imageFormat = "BMP") const;

    CDaoDatabase& Db() { return m_db; }
    QString Folder() const { return m_folder.Path(); }
    int Flagged(const QString& table);

    CDaoDatabase* GetProjectDatabase() override { return &m_db; }
    QString GetProjectFolder() override { return m_folder.Path() + "/"; }

private:
    void Open();

    TempFolder m_folder;
    TempFolder m_outside;
    CDaoDatabase m_db;
};
