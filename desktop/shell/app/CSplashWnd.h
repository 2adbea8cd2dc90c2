#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

// The start-up picture: shown over the main window when it is created,
// gone after 1.5 seconds or at the first key or mouse press, which it
// swallows.
class CSplashWnd : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kShowMs = 1500;

    static void Enable(bool enable);
    static void Show(QWidget* parent);
    static void Hide();
    static bool IsShown();
    // The application's event filter asks first: true when the input was
    // taken to hide the splash.
    static bool HideOnInput(QEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    explicit CSplashWnd(QWidget* parent);
    ~CSplashWnd() override;
    static QPixmap MakePicture();

    QPixmap m_picture;
    QTimer m_timer;
};
