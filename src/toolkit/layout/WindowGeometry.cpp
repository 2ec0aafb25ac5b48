#include "toolkit/layout/WindowGeometry.h"

#include "toolkit/layout/ScrollingClient.h"

#include <QEvent>
#include <QMainWindow>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>

namespace tk {

QMargins frameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
        frame.right() - client.right(), frame.bottom() - client.bottom());
    // A window manager that frames a window late first puts it into a frame
    // of 1 x 1 pixels and sizes that frame afterwards; Qt then reports the
    // far margins as large negative numbers. A frame that does not enclose
    // the client area is no frame yet.
    if (margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0)
        return QMargins();
    return margins;
}

namespace {

    // Re-applies a requested outer geometry when the frame margins change
    // (the window manager framed the window), until the window is hidden.
    class OuterGeometryKeeper : public QObject {
        // findChild finds it by its class, which needs its meta-object.
        Q_OBJECT

    public:
        explicit OuterGeometryKeeper(QWidget* window)
            : QObject(window)
            , m_window(window)
        {
            setObjectName(QStringLiteral("qt_outer_geometry_keeper"));
            window->installEventFilter(this);
        }

        void request(const QRect& outer)
        {
            m_outer = outer;
            apply();
        }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (watched == m_window && !m_applying
                && (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
                const QMargins margins = frameMargins(m_window);
                if (margins != m_margins)
                    apply();
            }
            return false;
        }

    private:
        void apply()
        {
            m_applying = true;
            m_margins = frameMargins(m_window);
            const QSize client(m_outer.width() - m_margins.left() - m_margins.right(),
                m_outer.height() - m_margins.top() - m_margins.bottom());
            if (!(m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
                m_window->resize(client.expandedTo(QSize(1, 1)));
                m_window->move(m_outer.topLeft());
            }
            m_applying = false;
        }

        QWidget* m_window;
        QRect m_outer;
        QMargins m_margins;
        bool m_applying = false;
    };

    OuterGeometryKeeper* keeper(QWidget* window)
    {
        auto* k = window->findChild<OuterGeometryKeeper*>(QStringLiteral("qt_outer_geometry_keeper"), Qt::FindDirectChildrenOnly);
        return k ? k : new OuterGeometryKeeper(window);
    }

}

QSize outerSize(const QWidget* widget)
{
    if (!widget)
        return {};
    if (widget->isWindow())
        return widget->frameGeometry().size();
    if (auto* window = qobject_cast<const QMainWindow*>(widget->parentWidget());
        window && window->centralWidget() == widget)
        return window->frameGeometry().size();
    // A page larger than the window's client place answers as the window
    // would, were it large enough to show the page whole.
    if (const QScrollArea* area = scrollerOf(widget))
        return area->window()->frameGeometry().size() + widget->size() - area->size();
    return widget->size();
}

void setOuterGeometry(QWidget* window, const QRect& outer)
{
    keeper(window)->request(outer);
}

}

#include "WindowGeometry.moc"
