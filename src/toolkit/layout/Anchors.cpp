#include "toolkit/layout/Anchors.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace tk {
namespace {

    // Follows one control's parent. Positions are computed from the geometry
    // recorded when the anchors were set (or the control last moved by code),
    // never incrementally, so repeated resizes do not drift.
    class AnchorTracker : public QObject {
        // findChild finds it by its class, which needs its meta-object.
        Q_OBJECT

    public:
        AnchorTracker(QWidget* control, TAnchors anchors)
            : QObject(control)
            , m_control(control)
            , m_anchors(anchors)
        {
            setObjectName(QStringLiteral("qt_anchor_tracker"));
            control->installEventFilter(this);
            attachToParent();
            rebase();
        }

        TAnchors anchors() const { return m_anchors; }
        void setAnchors(TAnchors anchors)
        {
            m_anchors = anchors;
            rebase();
        }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (watched == m_control) {
                switch (event->type()) {
                case QEvent::Move:
                case QEvent::Resize:
                    // A hidden control hears of our own adjustment only when
                    // it is shown: that is no move by code.
                    if (!m_adjusting && m_control->geometry() != m_applied)
                        rebase();
                    break;
                case QEvent::ParentChange:
                    attachToParent();
                    rebase();
                    break;
                default:
                    break;
                }
            } else if (watched == m_parent && event->type() == QEvent::Resize) {
                follow();
            }
            return false;
        }

    private:
        void attachToParent()
        {
            if (m_parent)
                m_parent->removeEventFilter(this);
            m_parent = m_control->parentWidget();
            if (m_parent)
                m_parent->installEventFilter(this);
        }

        void rebase()
        {
            m_base = m_control->geometry();
            m_applied = m_base;
            m_baseParent = m_parent ? m_parent->size() : QSize();
        }

        static void axis(bool low, bool high, int base, int size, int parentBase, int parentNow, int& pos, int& len)
        {
            const int delta = parentNow - parentBase;
            pos = base;
            len = size;
            if (low && high) {
                len = size + delta;
            } else if (high) {
                pos = base + delta;
            } else if (!low && parentBase > 0) {
                const int centre = base + size / 2;
                pos = int(qint64(centre) * parentNow / parentBase) - size / 2;
            }
        }

        void follow()
        {
            if (!m_parent || m_baseParent.isEmpty())
                return;
            int x, w, y, h;
            axis(m_anchors & akLeft, m_anchors & akRight, m_base.x(), m_base.width(),
                m_baseParent.width(), m_parent->width(), x, w);
            axis(m_anchors & akTop, m_anchors & akBottom, m_base.y(), m_base.height(),
                m_baseParent.height(), m_parent->height(), y, h);
            m_adjusting = true;
            m_applied = QRect(x, y, qMax(0, w), qMax(0, h));
            m_control->setGeometry(m_applied);
            m_adjusting = false;
        }

        QWidget* m_control;
        QPointer<QWidget> m_parent;
        TAnchors m_anchors;
        QRect m_base;
        QSize m_baseParent;
        QRect m_applied;
        bool m_adjusting = false;
    };

    AnchorTracker* trackerOf(const QWidget* control)
    {
        return control->findChild<AnchorTracker*>(QStringLiteral("qt_anchor_tracker"), Qt::FindDirectChildrenOnly);
    }

}

void setAnchors(QWidget* control, TAnchors value)
{
    if (AnchorTracker* tracker = trackerOf(control)) {
        tracker->setAnchors(value);
        return;
    }
    if (value == defaultAnchors())
        return; // left and top is what an untracked control does anyway
    new AnchorTracker(control, value);
}

TAnchors anchors(const QWidget* control)
{
    const AnchorTracker* tracker = trackerOf(control);
    return tracker ? tracker->anchors() : defaultAnchors();
}

}

#include "Anchors.moc"
