#include "desktop/shell/app/CChildFrame.h"

#include "desktop/shell/app/CCloseProtocol.h"
#include "desktop/shell/app/CTindaApp.h"
#include "desktop/shell/app/ITindaView.h"
#include "platform/dao/CDaoException.h"
#include "recordset/CQTRDaoRecordset.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent)
{
    // The command sets the title, and the editors are laid out for one
    // size: no maximise button and no resizing.
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kInitialWidth, kInitialHeight);
    setAttribute(Qt::WA_DeleteOnClose);
}

CChildFrame::~CChildFrame() = default;

ITindaView* CChildFrame::GetActiveView() const
{
    return dynamic_cast<ITindaView*>(widget());
}

qint32 CChildFrame::GetNextRecordVersion()
{
    CDaoDatabase* database = TindaApp() ? &TindaApp()->m_db : nullptr;
    if (!database || !database->IsOpen())
        throw CDaoException(QStringLiteral("Nessun progetto aperto."));
    return NextRecordVersion(*database);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (ITindaView* view = GetActiveView()) {
        CTindaApp* app = TindaApp();
        CCloseProtocol protocol(this, [app] { return app && app->LoadLanguages(); });
        if (!protocol.MayClose(*view)) {
            event->ignore();
            return;
        }
    }
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    // Each frame counts once: a card may close while its variants window
    // stays open on the same project.
    if (m_bCounted && TindaApp()) {
        m_bCounted = false;
        TindaApp()->SetViewOpen(false);
    }
}
