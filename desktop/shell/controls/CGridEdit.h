#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

// The grid's cell editor and formatter. It holds the cell's last valid text
// and, while a cell is being edited, the text of the editor window; the
// grid's typed getters and setters use it without a window. The widget that
// shows the editor (CGridEditBox) only mirrors the window text here, so the
// editing rules run the same with or without a screen.
class CGridEdit
{
public:
    void SetFormat(quint8 format, qint32 width, qint32 decimals);
    quint8 GetFormat() const { return m_nFormat; }
    qint32 GetWidth() const { return m_nWidth; }
    qint32 GetDecimals() const { return m_nDecimals; }

    // Stores the text; an open window shows it.
    void SetText(const QString& text);
    QString GetStoredText() const { return m_strText; }

    // Checks the window text (or the stored text without a window) by the
    // format; on success stores the normalised text, on failure reports the
    // format's message in a box over `m_pMessageParent` and keeps the stored
    // text.
    bool Validate();
    bool IsValid() const { return m_nValid != 0; }
    // Validate, then the stored text.
    QString GetText();
    // What the entry would become, without any message: the normalised
    // window text when valid, else the stored text.
    QString PeekText() const;

    void FormatInt(qint64 value);
    void FormatFloat(float value);
    void FormatDouble(double value);
    void FormatDate(const QDateTime& value);

    // Readers of the stored text (a window's valid text is taken in first).
    qint64 ReadInt();
    float ReadFloat();
    double ReadDouble();
    QDateTime ReadDate();

    // The editor window: opening shows the stored text in its raw form.
    void OpenWindow();
    void CloseWindow();
    bool IsWindowOpen() const { return m_bWindow; }
    QString GetWindowText() const { return m_strWindowText; }
    void SetWindowText(const QString& text) { m_strWindowText = text; }
    // The keystroke filter over the window text.
    bool AcceptChar(QChar ch, int selStart, int selLength) const;

    void SetMessageParent(QWidget* parent) { m_pMessageParent = parent; }

private:
    void TakeWindowTextSilently();

    QString m_strText;
    quint8 m_nFormat = 0;
    qint32 m_nWidth = 0;
    qint32 m_nDecimals = 0;
    qint32 m_nValid = 1;
    bool m_bWindow = false;
    QString m_strWindowText;
    QWidget* m_pMessageParent = nullptr;
};
