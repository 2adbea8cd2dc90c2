#pragma once

#include "platform/asp/testing/CAspTestValues.h"

#include <QMap>
#include <QString>

#include <memory>

class CAspTestPage;

// A small page host for tests: one visitor's Session and the site's
// Application outlive the pages made with NewPage. Site paths map below the
// root folder, or below a folder given for a virtual path ("/db").
class CAspTestHost
{
public:
    explicit CAspTestHost(const QString& rootFolder = QString(), bool localMode = false);
    ~CAspTestHost();

    void SetLocalMode(bool on) { m_localMode = on; }
    bool IsLocalMode() const { return m_localMode; }
    void SetRootFolder(const QString& folder) { m_root = folder; }
    void AddVirtualFolder(const QString& virtualPath, const QString& folder);

    // A new visitor: the Session starts empty.
    void NewSession() { m_session.Clear(); }
    CAspTestValues& Session() { return m_session; }
    CAspTestValues& Application() { return m_application; }

    std::unique_ptr<CAspTestPage> NewPage();

    // Site path to file path, refusing paths that leave the site's folders.
    QString MapPath(const QString& virtualPath) const;

private:
    QString m_root;
    bool m_localMode;
    QMap<QString, QString> m_virtual;   // lower-case virtual path -> folder
    CAspTestValues m_session;
    CAspTestValues m_application;
};
