#include "app/CSplashWnd.h"

#include "app/ShellArt.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace trv::app {

CSplashWnd::CSplashWnd(int periodMs, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(splashPicture(qApp->devicePixelRatio()))
{
    setObjectName(QStringLiteral("CSplashWnd"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(picture_.deviceIndependentSize().toSize());
    timer_.setSingleShot(true);
    timer_.setInterval(periodMs);
    connect(&timer_, &QTimer::timeout, this, &CSplashWnd::finish);
}

CSplashWnd::~CSplashWnd()
{
    qApp->removeEventFilter(this);
}

void CSplashWnd::start()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    qApp->installEventFilter(this);
    show();
    timer_.start();
}

void CSplashWnd::finish()
{
    if (finished_)
        return;
    finished_ = true;
    timer_.stop();
    hide();
    // The key or click that closed the splash may still be on its way (as a shortcut, as its
    // release): the filter swallows it until the event loop comes round again.
    QTimer::singleShot(0, this, [this] { qApp->removeEventFilter(this); });
    emit closed();
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

bool CSplashWnd::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Shortcut: // a key that matches an accelerator arrives as this as well
    case QEvent::ShortcutOverride:
        // Claiming the override keeps the key from any accelerator; the key press follows.
        event->accept();
        return true;
    case QEvent::KeyPress:
        finish();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick: {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        if (button != Qt::LeftButton && button != Qt::RightButton && button != Qt::MiddleButton)
            return false;
        finish();
        return true;
    }
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
        return true;
    default:
        return false;
    }
}

} // namespace trv::app
