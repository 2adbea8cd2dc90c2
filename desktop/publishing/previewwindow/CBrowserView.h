#pragma once

#include "desktop/publishing/preview/CListenSocket.h"

#include <QWebEngineView>

// The preview's browser: it owns the preview web server, starts it on the
// project's site and shows the site's root. The server (with its
// connections and the visitor's Session) goes with the view.
class CBrowserView : public QWebEngineView
{
    Q_OBJECT
public:
    static constexpr quint16 kPreviewPort = 18888;

    explicit CBrowserView(QWidget* parent = nullptr);
    ~CBrowserView() override;

    // 0 asks the system for a free port (tests, and a second program
    // already previewing on the usual one).
    void SetPort(quint16 port) { m_port = port; }
    // projectFolder ends with "/".
    void OnInitialUpdate(const QString& projectFolder);

    CListenSocket& Listener() { return *m_pListener; }
    QUrl SiteRoot() const;

private:
    quint16 m_port = kPreviewPort;
    std::unique_ptr<CListenSocket> m_pListener;
};
