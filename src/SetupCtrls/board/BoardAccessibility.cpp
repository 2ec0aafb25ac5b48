#include "SetupCtrls/board/BoardAccessibility.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TPopupForm.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "toolkit/app/ErrorReport.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>

using namespace SetupTypes;

namespace SetupCtrls {

namespace {

    // The popup of the group may be another member's.
    bool groupPinned(const TBoardHighlight& own)
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* popup = qobject_cast<TPopupForm*>(window);
            if (popup && popup->isVisible() && popup->Highlight() && popup->Highlight()->Pinned()
                && popup->Highlight()->Title() == own.Title()
                && popup->Highlight()->HighlightType() == own.HighlightType())
                return true;
        }
        return false;
    }

    // What screen readers were last told of a circle: none yet is checked.
    constexpr char ToldChecked[] = "_setup_toldChecked";

    // A checkable button (to Qt a check box, as its own checkable buttons
    // are) that does what Enter on the focused circle does, checked while
    // its group's popup is pinned: Orca speaks a check box's "checked" and
    // "not checked", never a push button's "pressed".
    class HighlightAccessible : public QAccessibleWidget {
    public:
        explicit HighlightAccessible(TBoardHighlight* highlight)
            : QAccessibleWidget(highlight, QAccessible::CheckBox)
        {
        }

        TBoardHighlight* highlight() const { return static_cast<TBoardHighlight*>(widget()); }

        QString text(QAccessible::Text t) const override
        {
            switch (t) {
            case QAccessible::Name:
                return highlight()->DisplayTitle();
            case QAccessible::Description:
                return kindInWords(highlight()->HighlightType());
            default:
                return QAccessibleWidget::text(t);
            }
        }

        QAccessible::State state() const override
        {
            QAccessible::State s = QAccessibleWidget::state();
            s.checkable = true;
            s.checked = groupPinned(*highlight());
            return s;
        }

        QStringList actionNames() const override { return { pressAction() }; }

        void doAction(const QString& actionName) override
        {
            if (actionName == pressAction())
                tk::guarded([this] { highlight()->keyboardClick(); });
        }
    };

    // The words of a jumper's move, as a notification that shows as the cap
    // moves while the focus is elsewhere (on the range selector or a radio
    // button, or nowhere in the popup when the mouse clicked): Orca speaks a
    // value change of the focused control only, but a notification whenever
    // one shows.
    class MoveNotice : public QAccessibleInterface {
    public:
        explicit MoveNotice(TThreeJumper* jumper)
            : m_jumper(jumper)
        {
        }

        bool isValid() const override { return m_jumper; }
        QObject* object() const override { return nullptr; }
        QWindow* window() const override { return m_jumper ? m_jumper->window()->windowHandle() : nullptr; }
        QVector<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
            QAccessible::Relation) const override
        {
            return {};
        }
        QAccessibleInterface* focusChild() const override { return nullptr; }
        QAccessibleInterface* childAt(int, int) const override { return nullptr; }
        // Under the application rather than the picture: inside the popup,
        // Orca would read the whole dialog again before each notice.
        QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(qApp); }
        QAccessibleInterface* child(int) const override { return nullptr; }
        int childCount() const override { return 0; }
        int indexOfChild(const QAccessibleInterface*) const override { return -1; }
        QString text(QAccessible::Text t) const override
        {
            return t == QAccessible::Name && m_jumper ? m_jumper->positionText() : QString();
        }
        void setText(QAccessible::Text, const QString&) override {}
        QRect rect() const override { return m_jumper ? QRect(m_jumper->mapToGlobal(QPoint()), m_jumper->size()) : QRect(); }
        QAccessible::Role role() const override { return QAccessible::Notification; }
        QAccessible::State state() const override { return {}; }

    private:
        QPointer<TThreeJumper> m_jumper;
    };

    // A picture whose name is the cap's position in words; pressing it moves
    // the cap as a click does. Orca speaks no name change (Qt sends it in a
    // form Orca cannot read) and no value change of a button, but a value
    // change of the focused picture it speaks with the picture's name: the
    // position is also a value: 0 open, 1 left, 2 right, plus three times
    // the picture's serial number, since Orca keeps quiet about a value equal
    // to the last one it spoke, whichever control that was.
    class JumperAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
    public:
        explicit JumperAccessible(TThreeJumper* jumper)
            : QAccessibleWidget(jumper, QAccessible::Graphic)
            , m_base(3 * nextSerial++)
            , m_notice(QAccessible::registerAccessibleInterface(new MoveNotice(jumper)))
        {
        }

        ~JumperAccessible() override { QAccessible::deleteAccessibleInterface(m_notice); }

        QAccessibleInterface* notice() const { return QAccessible::accessibleInterface(m_notice); }

        void* interface_cast(QAccessible::InterfaceType type) override
        {
            if (type == QAccessible::ValueInterface)
                return static_cast<QAccessibleValueInterface*>(this);
            return QAccessibleWidget::interface_cast(type);
        }

        QVariant currentValue() const override { return m_base + int(jumper()->JumperState()); }
        // Pressing moves the cap; a value set from outside is ignored.
        void setCurrentValue(const QVariant&) override {}
        QVariant maximumValue() const override { return m_base + 2; }
        QVariant minimumValue() const override { return m_base; }
        QVariant minimumStepSize() const override { return 1; }

        TThreeJumper* jumper() const { return static_cast<TThreeJumper*>(widget()); }

        QString text(QAccessible::Text t) const override
        {
            switch (t) {
            case QAccessible::Name:
            case QAccessible::Value:
                return jumper()->positionText();
            case QAccessible::Description:
                return QStringLiteral("jumper; Space moves the cap");
            default:
                return QAccessibleWidget::text(t);
            }
        }

        QStringList actionNames() const override { return { pressAction() }; }

        void doAction(const QString& actionName) override
        {
            if (actionName == pressAction())
                tk::guarded([this] { jumper()->click(); });
        }

    private:
        static inline int nextSerial = 0;
        const int m_base;
        const QAccessible::Id m_notice;
    };

    // A popup, and the supporter's dialogs, are dialogs to a screen reader,
    // which then reads a dialog's title and text as it opens: a popup's text
    // is its description.
    class DialogAccessible : public QAccessibleWidget {
    public:
        explicit DialogAccessible(QWidget* window)
            : QAccessibleWidget(window, QAccessible::Dialog)
        {
        }

        QString text(QAccessible::Text t) const override
        {
            if (t == QAccessible::Name)
                return widget()->windowTitle();
            auto* popup = qobject_cast<TPopupForm*>(widget());
            if (t == QAccessible::Description && popup && popup->StatusMemo())
                return popup->StatusMemo()->toPlainText();
            return QAccessibleWidget::text(t);
        }
    };

    // The photograph under the circles.
    class BoardAccessible : public QAccessibleWidget {
    public:
        explicit BoardAccessible(TBoardImage* board)
            : QAccessibleWidget(board, QAccessible::Graphic)
        {
        }

        QString text(QAccessible::Text t) const override
        {
            switch (t) {
            case QAccessible::Name:
                return QStringLiteral("Photograph of the board");
            case QAccessible::Description:
                return QStringLiteral("Circles mark its spots: yellow for jumpers to set, blue for information, red "
                                      "for calibration. Tab moves from spot to spot, Enter opens a spot's window.");
            default:
                return QAccessibleWidget::text(t);
            }
        }
    };

    QAccessibleInterface* boardControlsFactory(const QString&, QObject* object)
    {
        // The exact classes only: a subclass may bring its own.
        if (!object || !object->isWidgetType())
            return nullptr;
        auto* widget = static_cast<QWidget*>(object);
        const QMetaObject* meta = object->metaObject();
        if (meta == &TBoardHighlight::staticMetaObject)
            return new HighlightAccessible(static_cast<TBoardHighlight*>(object));
        if (meta == &TThreeJumper::staticMetaObject)
            return new JumperAccessible(static_cast<TThreeJumper*>(object));
        if (meta == &TBoardImage::staticMetaObject)
            return new BoardAccessible(static_cast<TBoardImage*>(object));
        if (widget->isWindow() && (meta == &TPopupForm::staticMetaObject || object->inherits("TSupportForm")))
            return new DialogAccessible(widget);
        return nullptr;
    }

}

QString kindInWords(THighlightType type)
{
    switch (type) {
    case htSettings:
        return QStringLiteral("jumper setting");
    case htCalibration:
        return QStringLiteral("calibration");
    case htOptions:
        break;
    }
    return QStringLiteral("information");
}

void announceCheckedChanges()
{
    if (!QAccessible::isActive())
        return;
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* highlight = qobject_cast<TBoardHighlight*>(widget);
        if (!highlight)
            continue;
        const bool checked = groupPinned(*highlight);
        if (highlight->property(ToldChecked).toBool() == checked)
            continue;
        highlight->setProperty(ToldChecked, checked);
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(highlight, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void announceMove(TThreeJumper* jumper)
{
    if (!QAccessible::isActive() || !jumper)
        return;
    QAccessibleValueChangeEvent moved(jumper, jumper->positionText());
    QAccessible::updateAccessibility(&moved);
    if (jumper->hasFocus()) {
        // The range selector showing the range the move gives moves its
        // caret, which takes Orca's attention to the selector even though
        // the focus stays here, and Orca then drops the value change: the
        // focus told again brings it back, and Orca reads the picture with
        // its new position. Where nothing took it away, Orca keeps quiet.
        QAccessibleEvent focus(jumper, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
        return;
    }
    auto* own = dynamic_cast<JumperAccessible*>(QAccessible::queryAccessibleInterface(jumper));
    if (QAccessibleInterface* notice = own ? own->notice() : nullptr) {
        QAccessibleEvent shown(notice, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
}

void announceFocusAgain(QWidget* window)
{
    if (!QAccessible::isActive() || !window)
        return;
    // Queued: the screen reader hears of the activation first.
    QMetaObject::invokeMethod(
        window,
        [window] {
            QWidget* focused = window->focusWidget();
            if (!focused || !window->isActiveWindow())
                return;
            QAccessibleEvent event(focused, QAccessible::Focus);
            QAccessible::updateAccessibility(&event);
        },
        Qt::QueuedConnection);
}

void announceNewParent(QWidget* root)
{
    if (!QAccessible::isActive() || !root)
        return;
    // Qt's bridge names each object after its interface's id: new interfaces
    // are objects the screen reader has not met, whose parent it asks for.
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(widget))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
    }
}

void installBoardAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(boardControlsFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

}
