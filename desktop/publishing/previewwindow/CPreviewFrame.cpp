#include "desktop/publishing/previewwindow/CPreviewFrame.h"

#include "desktop/publishing/previewwindow/CBrowserView.h"
#include "desktop/shell/app/CTindaApp.h"

#include <QCloseEvent>

CPreviewFrame* CPreviewFrame::Create(CTindaApp& app, quint16 port)
{
    if (!app.BackupDatabase())
        return nullptr;
    auto* frame = new CPreviewFrame(app);
    frame->m_pView->SetPort(port);
    frame->m_pView->OnInitialUpdate(app.m_strProjectFolder);
    return frame;
}

CPreviewFrame::CPreviewFrame(CTindaApp& app) : m_app(app), m_pView(new CBrowserView)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(m_pView);
    resize(1024, 768);
}

CPreviewFrame::~CPreviewFrame()
{
    Finish();
}

void CPreviewFrame::closeEvent(QCloseEvent* event)
{
    QMdiSubWindow::closeEvent(event);
    event->accept();
    // Put back at once, not when the frame's deferred deletion comes
    // round: the program may be ending, and the next command may already
    // read the database.
    Finish();
}

void CPreviewFrame::Finish()
{
    if (m_bFinished)
        return;
    m_bFinished = true;
    // The server and its pages go first, so nothing holds the database
    // while the copy is put back.
    delete m_pView;
    m_pView = nullptr;
    m_app.RestoreDatabase();
    m_app.SetViewOpen(false);
}
