#include "desktop/shell/app/CSplashWnd.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace {
bool g_enabled = false;
CSplashWnd* g_splash = nullptr;
}

void CSplashWnd::Enable(bool enable)
{
    g_enabled = enable;
}

void CSplashWnd::Show(QWidget* parent)
{
    if (!g_enabled || g_splash)
        return;
    g_splash = new CSplashWnd(parent);
    g_splash->show();
    g_splash->raise();
    g_splash->update();
}

void CSplashWnd::Hide()
{
    if (!g_splash)
        return;
    QWidget* parent = g_splash->parentWidget();
    g_splash->deleteLater();
    g_splash->hide();
    g_splash = nullptr;
    if (parent)
        parent->update();
}

bool CSplashWnd::IsShown()
{
    return g_splash != nullptr;
}

bool CSplashWnd::HideOnInput(QEvent* event)
{
    if (!g_splash)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        Hide();
        return true;
    default:
        return false;
    }
}

CSplashWnd::CSplashWnd(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(MakePicture())
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setCursor(Qt::ArrowCursor);
    setFixedSize(m_picture.size());
    const QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [] { Hide(); });
    m_timer.start(kShowMs);
}

CSplashWnd::~CSplashWnd()
{
    if (g_splash == this)
        g_splash = nullptr;
}

QPixmap CSplashWnd::MakePicture()
{
    QPixmap picture(420, 240);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 0, picture.height());
    gradient.setColorAt(0, QColor(32, 74, 135));
    gradient.setColorAt(1, QColor(12, 32, 64));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(Qt::white);
    QFont title = painter.font();
    title.setPointSize(32);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(picture.rect().adjusted(0, 0, 0, -40), Qt::AlignCenter, QStringLiteral("Quintaro"));
    QFont small = painter.font();
    small.setPointSize(11);
    small.setBold(false);
    painter.setFont(small);
    painter.drawText(picture.rect().adjusted(0, 80, 0, 0), Qt::AlignCenter,
                     QStringLiteral("Versione 5.0 - Morvella"));
    return picture;
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}
