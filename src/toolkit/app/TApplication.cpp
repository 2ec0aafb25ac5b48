#include "toolkit/app/TApplication.h"

#include "toolkit/app/ErrorReport.h"
#include "toolkit/app/LayoutFonts.h"
#include "toolkit/platform/HostPlatform.h"
#include "toolkit/platform/WindowMapping.h"

#include <QAbstractEventDispatcher>
#include <QTimer>
#include <QWindow>

namespace {

// What must be settled before Qt starts. Qt's default GLib dispatcher
// announces blocking before its queue is empty and before the first paint;
// the plain Unix dispatcher announces it only when nothing is left to do,
// which is what "idle" means here. On Windows the page's bitmap face must be
// known to the system before Qt lists the fonts.
int& beforeQtStarts(int& argc)
{
    qputenv("QT_NO_GLIB", "1");
#ifdef Q_OS_WIN
    tk::addWindowsBitmapFonts();
#endif
    return argc;
}

}

TApplication::TApplication(int& argc, char** argv)
    : QApplication(beforeQtStarts(argc), argv)
{
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
        this, &TApplication::aboutToBlock);
    tk::registerLayoutFonts();
    tk::followFontSubstitutes();
}

TApplication::~TApplication() = default;

TApplication* TApplication::instance()
{
    return qobject_cast<TApplication*>(QCoreApplication::instance());
}

void TApplication::setOnIdle(TIdleEvent handler)
{
    m_onIdle = std::move(handler);
}

QList<QWindow*> TApplication::windowsAwaitingFirstPaint() const
{
    // A shown window that the window system has not exposed yet will be
    // painted as soon as the expose arrives (under X11 after the window
    // manager has framed and mapped it, which on a busy machine can take
    // seconds): the application is not idle before that paint. A minimised
    // window is exposed only when the user restores it.
    QList<QWindow*> waiting;
    for (QWindow* window : QGuiApplication::topLevelWindows())
        if (window->isVisible() && !window->isExposed() && window->type() != Qt::Desktop
            && !(window->windowStates() & Qt::WindowMinimized))
            waiting.append(window);
    return waiting;
}

void TApplication::aboutToBlock()
{
    if (!m_onIdle || m_inIdle)
        return;
    if (const QList<QWindow*> waiting = windowsAwaitingFirstPaint(); !waiting.isEmpty()) {
        // Look again shortly: an expose that never comes (a window the
        // window manager keeps unmapped) must not hold the idle handler back
        // for good.
        if (!m_exposeWait.isValid()) {
            m_exposeWait.start();
            m_mappingsRequested = 0;
        }
        // A window manager that took the screen while the window was being
        // mapped may have lost the request: ask again, twice a second.
        if (m_exposeWait.elapsed() >= (m_mappingsRequested + 1) * RemapAfterMs) {
            ++m_mappingsRequested;
            for (QWindow* window : waiting)
                tk::requestMappingAgain(window);
        }
        if (m_exposeWait.elapsed() < MaxExposeWaitMs) {
            QTimer::singleShot(ExposePollMs, this, [] {});
            return;
        }
    }
    m_exposeWait.invalidate();
    m_inIdle = true;
    bool done = true;
    // The handler may replace or clear itself: call a copy.
    const TIdleEvent handler = m_onIdle;
    tk::guarded([&] { handler(this, done); });
    m_inIdle = false;
    if (!done)
        QAbstractEventDispatcher::instance()->wakeUp();
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        tk::reportException(e);
        return false;
    }
}
