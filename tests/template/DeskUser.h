#pragma once
// A user at the desk for in-process tests on the offscreen platform: moves
// the pointer, clicks and types through the window system's queue, and
// plays the window manager's part: windows stack in layers (menus and
// drop-down lists over top-most windows over the rest), a window shown,
// raised or activated goes to the top of its layer, a click focuses the
// window it lands in, and a window that comes or goes under the resting
// pointer gets its leave and enter as a real display would send them.
//
// The offscreen platform alone hands the pointer to the first window in
// creation order that contains it, whatever lies on top, and never sends a
// window its enter or leave when another window appears under the pointer;
// so the platform's cursor is only moved (for QCursor::pos) and its own
// delivery is dropped.

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <QWindow>

class DeskUser : public QObject {
public:
    DeskUser() { qApp->installEventFilter(this); }
    ~DeskUser() override { qApp->removeEventFilter(this); }

    // Forgets the pointer's window, as after a new start of the program.
    void reset()
    {
        m_under = nullptr;
        m_grabbed = false;
        m_order.clear();
        m_buttons = {};
        moveTo(QPoint(0, 0));
    }

    QPoint pos() const { return m_pos; }

    // The shown windows, top first.
    QList<QWidget*> stack() const
    {
        QList<QWidget*> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowHandle() && !w->isMinimized())
                windows.append(w);
        std::stable_sort(windows.begin(), windows.end(), [this](QWidget* a, QWidget* b) {
            if (layer(a) != layer(b))
                return layer(a) > layer(b);
            return rank(a) > rank(b);
        });
        return windows;
    }

    // The window whose client area is on top at global, or nullptr over a
    // frame or the bare screen.
    QWidget* windowAt(QPoint global) const
    {
        for (QWidget* w : stack()) {
            if (!w->frameGeometry().contains(global))
                continue;
            return w->geometry().contains(global) ? w : nullptr;
        }
        return nullptr;
    }

    // True when nothing lies over global but window's client area.
    bool reachable(QWidget* window, QPoint global) const { return windowAt(global) == window; }

    // Every step ends settled, so none needs to settle before it starts.
    void moveTo(QPoint global)
    {
        m_pos = global;
        // The platform's cursor is where the program reads the pointer's
        // place. Its own delivery of the move is queued; the move sent here
        // goes first (once the queued one has run, Qt takes a move to the
        // same place for none), and the queued one is dropped after it.
        QCursor::setPos(global);
        cross();
        if (QWidget* target = pointerOwner())
            send(target, QEvent::MouseMove, Qt::NoButton);
        m_dropping = true;
        QCoreApplication::processEvents();
        m_dropping = false;
        settle();
    }

    // Left button down and up where the pointer is; the window manager
    // first gives the window the focus.
    void click(Qt::MouseButton button = Qt::LeftButton)
    {
        press(button);
        release(button);
    }

    // Two clicks close enough in time for the second to count as a
    // double click.
    void doubleClick()
    {
        click();
        press(Qt::LeftButton, 10);
        release(Qt::LeftButton);
    }

    // A key to the window that has the keyboard focus, if any.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        if (QWindow* window = QGuiApplication::focusWindow())
            QTest::keyClick(window, key, modifiers);
        settle();
    }

    void type(const QString& text)
    {
        for (QChar c : text) {
            if (QWindow* window = QGuiApplication::focusWindow())
                QTest::keyClick(window, c.toLatin1());
        }
        settle();
    }

    // Runs what is queued, then sends the leave and enter that a window
    // appearing or going away under the resting pointer brings.
    void settle()
    {
        for (int round = 0; round < 4; ++round) {
            QCoreApplication::processEvents();
            if (!cross() && !ungrab() && !refocus())
                break;
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::Leave:
            // The platform's own crossings (a window shown under the
            // pointer is entered before the one beneath is left) give way
            // to the ones sent here.
            if (event->spontaneous() && watched->isWindowType())
                return true;
            return m_dropping;
        case QEvent::MouseMove:
        case QEvent::HoverEnter:
        case QEvent::HoverLeave:
        case QEvent::HoverMove:
            return m_dropping;
        case QEvent::Show:
        case QEvent::ZOrderChange:
            bump(watched);
            break;
        case QEvent::WindowActivate:
            bump(watched);
            break;
        default:
            break;
        }
        return false;
    }

private:
    static constexpr int DoubleClickGap = 5000;

    static int layer(const QWidget* w)
    {
        if (w->windowType() == Qt::Popup)
            return 2;
        return w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? 1 : 0;
    }

    qsizetype rank(const QWidget* w) const
    {
        for (qsizetype i = m_order.size() - 1; i >= 0; --i)
            if (m_order.at(i) == w)
                return i;
        return -1;
    }

    void bump(QObject* watched)
    {
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || !w->isWindow())
            return;
        m_order.removeAll(w);
        m_order.removeAll(nullptr);
        m_order.append(w);
    }

    // Leave for the window the pointer was in, enter for the one it is in
    // now; true when they differ.
    bool cross()
    {
        QWidget* now = windowAt(m_pos);
        if (now == m_under)
            return false;
        // An open menu or list holds the pointer: the display reports no
        // crossings until it lets go (see ungrab).
        if (QApplication::activePopupWidget()) {
            m_under = now;
            return false;
        }
        if (m_under && m_under->isVisible()) {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(m_under->windowHandle(), &leave);
        }
        m_under = now;
        if (now) {
            const QPointF local = now->mapFromGlobal(QPointF(m_pos));
            QEnterEvent enter(local, local, QPointF(m_pos));
            QCoreApplication::sendEvent(now->windowHandle(), &enter);
        }
        return true;
    }

    // When the window with the focus goes, the window manager gives it to
    // the topmost window left (the offscreen platform leaves it with the
    // hidden window). True when it did.
    bool refocus()
    {
        if (QWindow* focus = QGuiApplication::focusWindow(); focus && focus->isVisible())
            return false;
        for (QWidget* w : stack()) {
            if (w->windowType() == Qt::Popup)
                continue;
            w->activateWindow();
            bump(w);
            return true;
        }
        return false;
    }

    // A menu or drop-down list holds the pointer while it is open; once it
    // closes, the window under the pointer is entered again, as the display
    // reports the end of a grab. True when that happened.
    bool ungrab()
    {
        const bool grabbed = QApplication::activePopupWidget() != nullptr;
        const bool ended = m_grabbed && !grabbed;
        m_grabbed = grabbed;
        if (!ended || !m_under)
            return false;
        const QPointF local = m_under->mapFromGlobal(QPointF(m_pos));
        QEnterEvent enter(local, local, QPointF(m_pos));
        QCoreApplication::sendEvent(m_under->windowHandle(), &enter);
        return true;
    }

    // The window that takes the pointer's events: an open menu or list,
    // which holds the pointer wherever it is, or the window under it.
    QWidget* pointerOwner() const
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            return popup->window();
        return m_under.data();
    }

    // Timestamps step by elapsed milliseconds: a press long after the one
    // before is never half of a double click.
    void send(QWidget* window, QEvent::Type type, Qt::MouseButton button, int elapsed = 1)
    {
        QWindow* handle = window->windowHandle();
        if (!handle)
            return;
        const QPointF local = handle->mapFromGlobal(QPointF(m_pos));
        m_time += ulong(elapsed);
        qt_handleMouseEvent(handle, local, QPointF(m_pos), m_buttons, button, type, Qt::NoModifier, int(m_time));
    }

    void press(Qt::MouseButton button, int elapsed = DoubleClickGap)
    {
        QWidget* window = pointerOwner();
        if (!window)
            return;
        // Click to focus, as the window manager does; menus and lists take
        // no focus of their own.
        if (window->windowType() != Qt::Popup && !window->isActiveWindow()) {
            window->activateWindow();
            bump(window);
            settle();
            window = pointerOwner();
            if (!window)
                return;
        }
        m_buttons |= button;
        m_pressedIn = window;
        send(window, QEvent::MouseButtonPress, button, elapsed);
        QCoreApplication::processEvents();
    }

    void release(Qt::MouseButton button)
    {
        if (!(m_buttons & button))
            return;
        m_buttons &= ~button;
        // The window that took the press takes the release, wherever it is.
        QWidget* window = m_pressedIn ? m_pressedIn.data() : m_under.data();
        if (window && window->windowHandle())
            send(window, QEvent::MouseButtonRelease, button);
        settle();
    }

    QPoint m_pos;
    QPointer<QWidget> m_under;
    QPointer<QWidget> m_pressedIn;
    QList<QPointer<QWidget>> m_order;
    Qt::MouseButtons m_buttons;
    bool m_dropping = false;
    bool m_grabbed = false;
    ulong m_time = 1000;
};
