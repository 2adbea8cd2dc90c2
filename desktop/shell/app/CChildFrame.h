#pragma once

#include <QMdiSubWindow>

class ITindaView;

// The MDI child frame of every editor view. It carries the mode words a
// command sets before the view is first shown, and its close is where the
// view's pending edit is saved: a failed save keeps the frame open.
class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    // The largest an editor's frame gets; it is made as large as the MDI
    // area allows.
    static constexpr int kInitialWidth = 2048;
    static constexpr int kInitialHeight = 1536;

    explicit CChildFrame(QWidget* parent = nullptr);
    ~CChildFrame() override;

    // The view, when it takes part in the close protocol.
    ITindaView* GetActiveView() const;

    // The next value of the database-wide record-version counter of the
    // open project.
    static qint32 GetNextRecordVersion();

    // Base product of a variants window; 0 for every other editor.
    int m_nBaseProductID = 0;
    // Order texts: true the customer notification, false the sales terms.
    bool m_bNotificaCliente = false;
    // Topics: true chat, false forum.
    bool m_bChat = false;
    // Counted among the open editors of the project until it closes.
    bool m_bCounted = false;

protected:
    void closeEvent(QCloseEvent* event) override;
};
