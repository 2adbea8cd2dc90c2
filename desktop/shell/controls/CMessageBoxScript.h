#pragma once

#include "desktop/shell/controls/CMessageBox.h"

#include <QList>

// A test's stand-in for the person in front of the message boxes: while it
// lives every box is recorded instead of shown and answered from the queue
// of replies (Yes/Ok/the first button when the queue is empty).
class CMessageBoxScript
{
public:
    CMessageBoxScript();
    ~CMessageBoxScript();
    CMessageBoxScript(const CMessageBoxScript&) = delete;
    CMessageBoxScript& operator=(const CMessageBoxScript&) = delete;

    // Queues the reply to the next box not yet answered.
    void Answer(QMessageBox::StandardButton reply);

    const QList<CMessageBox::Request>& Shown() const { return m_shown; }
    // Text of the last box, or empty when none was shown.
    QString LastText() const;
    void Clear() { m_shown.clear(); }

private:
    QMessageBox::StandardButton Reply(const CMessageBox::Request& request);

    QList<CMessageBox::Request> m_shown;
    QList<QMessageBox::StandardButton> m_replies;
    CMessageBox::Answerer m_previous;
};
