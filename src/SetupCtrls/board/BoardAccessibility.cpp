#include "SetupCtrls/board/BoardAccessibility.h"

#include "SetupCtrls/board/TBoardHighlight.h"
#include "SetupCtrls/board/TThreeJumper.h"
#include "toolkit/app/ErrorReport.h"

#include <QAccessibleWidget>
#include <QApplication>

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

    // What screen readers were last told of a circle: none yet is pressed.
    constexpr char ToldPressed[] = "_setup_toldPressed";

    // A button that does what Enter on the focused circle does.
    class HighlightAccessible : public QAccessibleWidget {
    public:
        explicit HighlightAccessible(TBoardHighlight* highlight)
            : QAccessibleWidget(highlight, QAccessible::Button)
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
            s.pressed = groupPinned(*highlight());
            return s;
        }

        QStringList actionNames() const override { return { pressAction() }; }

        void doAction(const QString& actionName) override
        {
            if (actionName == pressAction())
                tk::guarded([this] { highlight()->keyboardClick(); });
        }
    };

    // A button whose name and value are the cap's position in words; pressing
    // it moves the cap as a click does.
    class JumperAccessible : public QAccessibleWidget {
    public:
        explicit JumperAccessible(TThreeJumper* jumper)
            : QAccessibleWidget(jumper, QAccessible::Button)
        {
        }

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
    };

    QAccessibleInterface* boardControlsFactory(const QString&, QObject* object)
    {
        // The exact classes only: a subclass may bring its own.
        if (!object || !object->isWidgetType())
            return nullptr;
        if (object->metaObject() == &TBoardHighlight::staticMetaObject)
            return new HighlightAccessible(static_cast<TBoardHighlight*>(object));
        if (object->metaObject() == &TThreeJumper::staticMetaObject)
            return new JumperAccessible(static_cast<TThreeJumper*>(object));
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

void announcePressedChanges()
{
    if (!QAccessible::isActive())
        return;
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* highlight = qobject_cast<TBoardHighlight*>(widget);
        if (!highlight)
            continue;
        const bool pressed = groupPinned(*highlight);
        if (highlight->property(ToldPressed).toBool() == pressed)
            continue;
        highlight->setProperty(ToldPressed, pressed);
        QAccessible::State changed;
        changed.pressed = true;
        QAccessibleStateChangeEvent event(highlight, changed);
        QAccessible::updateAccessibility(&event);
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
