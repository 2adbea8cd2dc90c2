#pragma once

#include "desktop/catalogue/ICatalogueProgress.h"

#include <QList>
#include <QString>

#include <atomic>

// Builds the CD edition of the shop for one customer: the folder
// cdromimages/<name> under the project (the installation's cdviewer
// skeleton, the site's pages and pictures, mess.txt, and only the shop
// database, pruned for the customer) and beside it <name>.iso made by
// xorriso, with the credential of the customer's offline synchronisation.
// The image is built under a scratch name and put in place with
// one rename, so a stop or a failure leaves the previous image as it was.
// Runs on any thread; it opens its own connections.
class CCdImageBuilder
{
public:
    enum Result { Done, Cancelled, Failed };

    struct Request
    {
        QString projectFolder;     // ends with "/"
        QString installFolder;     // holds cdviewer/
        qint32 customerId = 0;     // 0: the anonymous user
        QString customerUserId;
        QList<qint32> orderIds;    // empty: no order selection
        QString defaultLanguage;   // for texts missing in a language
        QString isoTool = QStringLiteral("xorriso");
    };

    explicit CCdImageBuilder(Request request);

    Result Run(ICatalogueProgress& progress);
    void RequestStop() { m_bStop = true; }
    QString Error() const { return m_strError; }

    // "Anonimo.0", or the customer's user ID, "." and the ID.
    static QString ImageName(qint32 customerId, const QString& userId);
    static QString ImageFolder(const QString& projectFolder, qint32 customerId, const QString& userId);
    QString ImageFolder() const;
    QString IsoPath() const;

private:
    Result Fail(const QString& error);
    bool CopySite(const QString& scratch, ICatalogueProgress& progress);
    bool PrepareDatabase(const QString& scratch, ICatalogueProgress& progress);
    bool MakeIso(ICatalogueProgress& progress);
    // credenziale.txt in the image, the digest in the project's
    // CredenzialiCD: what the offline synchronisation asks of the CD.
    bool IssueCredential();

    Request m_request;
    std::atomic<bool> m_bStop{false};
    QString m_strError;
};
