#pragma once

#include <QMdiSubWindow>

class CBrowserView;
class CTindaApp;

// The preview's child window ("Anteprima"). The site's pages write to the
// project database as the live shop would, so the frame copies the
// database before the view exists and puts the copy back when it goes:
// nothing the previewed site wrote survives. A copy left by a crash is put
// back when the project is next opened.
class CPreviewFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    // Nullptr when the database could not be copied (the application has
    // said why).
    static CPreviewFrame* Create(CTindaApp& app, quint16 port);
    ~CPreviewFrame() override;

    CBrowserView* View() const { return m_pView; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    explicit CPreviewFrame(CTindaApp& app);
    void Finish();

    CTindaApp& m_app;
    CBrowserView* m_pView = nullptr;
    bool m_bFinished = false;
};
