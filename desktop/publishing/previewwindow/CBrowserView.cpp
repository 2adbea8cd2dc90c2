#include "desktop/publishing/previewwindow/CBrowserView.h"

#include "desktop/shell/controls/CNumberText.h"
#include "server/core/Qtr50Library.h"

#include <QUrl>

CBrowserView::CBrowserView(QWidget* parent)
    : QWebEngineView(parent), m_pListener(std::make_unique<CListenSocket>())
{
    // The pages create the shop's classes by ProgID, as on the real server.
    Qtr50EnsureLoaded();
}

CBrowserView::~CBrowserView() = default;

void CBrowserView::OnInitialUpdate(const QString& projectFolder)
{
    // The pages write amounts and dates as the merchant's shop does, not
    // in whatever locale the program started in.
    m_pListener->PageHost().Runner().SetRegionalSettings(CNumberText::Region());
    m_pListener->SetPort(m_port);
    m_pListener->SetRootDir(projectFolder + QStringLiteral("website/asp"));
    m_pListener->AddVirtualDir(QStringLiteral("/db"), projectFolder + QStringLiteral("db"));
    m_pListener->AddVirtualDir(QStringLiteral("/images"), projectFolder + QStringLiteral("website/images"));
    if (m_pListener->StartListening() != 0 && m_port != 0) {
        // Another program previews on the usual port: any free one serves,
        // since the view is the only client.
        m_pListener->SetPort(0);
        m_pListener->StartListening();
    }
    if (m_pListener->ServerPort() == 0) {
        setHtml(QStringLiteral("<p>Impossibile avviare il server dell'anteprima: %1</p>")
                    .arg(m_pListener->ErrorString().toHtmlEscaped()));
        return;
    }
    load(SiteRoot());
}

QUrl CBrowserView::SiteRoot() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_pListener->ServerPort()));
}
