#pragma once

#include <QString>
#include <QtGlobal>

class IAspServer;

// The catalogue's pictures and attached files in the site's folders: a
// picture is named after its record's ID, a product's file after the
// product's ID and a code. Names are matched without regard to case, as
// the shop's files always were, and nothing from outside becomes a path:
// it is only compared with the names a folder holds.
class CatalogoFile
{
public:
    explicit CatalogoFile(IAspServer& server) : m_server(server) {}

    // The site's name for a file of a folder; empty when there is none.
    QString Trova(const QString& cartella, const QString& nome) const;

    // The picture of record id in cartella (".jpg", else ".gif"): its site
    // path into foto and, when asked, the same name in the thumbnails'
    // folder into thumbnail; false, with nothing written, when there is none.
    bool Foto(const QString& cartella, qint32 id, QString& foto, QString* thumbnail = nullptr,
              const QString& cartellaThumbnail = QString()) const;

    // A product's file: any one character, the product's ID, "_", the code
    // and an extension; its site path, or empty.
    QString FileProdotto(qint32 idProdotto, const QString& codice) const;

private:
    IAspServer& m_server;
};
