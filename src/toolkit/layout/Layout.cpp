#include "toolkit/layout/Layout.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace tk {
namespace {

    class TopAligner : public QObject {
        // findChild finds it by its class, which needs its meta-object.
        Q_OBJECT

    public:
        explicit TopAligner(QWidget* control)
            : QObject(control)
            , m_control(control)
        {
            setObjectName(QStringLiteral("qt_top_aligner"));
            control->installEventFilter(this);
            attach();
        }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (watched == m_control && event->type() == QEvent::ParentChange)
                attach();
            else if (watched == m_control && event->type() == QEvent::Resize)
                place(); // a control that sizes itself (an auto-sized label) keeps only its new height
            else if (watched == m_parent && event->type() == QEvent::Resize)
                place();
            return false;
        }

    private:
        void attach()
        {
            if (m_parent)
                m_parent->removeEventFilter(this);
            m_parent = m_control->parentWidget();
            if (m_parent)
                m_parent->installEventFilter(this);
            place();
        }

        void place()
        {
            if (m_parent)
                m_control->setGeometry(0, 0, m_parent->width(), m_control->height());
        }

        QWidget* m_control;
        QWidget* m_parent = nullptr;
    };

}

void alignTop(QWidget* control)
{
    if (!control->findChild<TopAligner*>(QStringLiteral("qt_top_aligner"), Qt::FindDirectChildrenOnly))
        new TopAligner(control);
}

int topBandHeight(const QWidget* parent)
{
    int height = 0;
    for (QObject* child : parent->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (control && !control->isWindow() && !control->isHidden()
            && control->findChild<QObject*>(QStringLiteral("qt_top_aligner"), Qt::FindDirectChildrenOnly))
            height = std::max(height, control->geometry().bottom() + 1);
    }
    return height;
}

void fitToControls(QWidget* window)
{
    QRect bounds;
    QList<QWidget*> shown;
    for (QObject* child : window->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow() || control->isHidden())
            continue;
        shown.append(control);
        bounds = bounds.united(control->geometry());
    }
    if (shown.isEmpty())
        return;
    for (QWidget* control : shown)
        control->move(control->pos() - bounds.topLeft());
    window->resize(bounds.size());
}

}

#include "Layout.moc"
