#include "SetupCtrls/board/BoardAccessibility.h"

#include "SetupCtrls/board/TBoardHighlight.h"
#include "SetupCtrls/board/TThreeJumper.h"
#include "toolkit/app/ErrorReport.h"

#include <QAccessibleWidget>
#include <QApplication>

namespace SetupCtrls {

namespace {

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
            s.pressed = groupPinned();
            return s;
        }

        QStringList actionNames() const override { return { pressAction() }; }

        void doAction(const QString& actionName) override
        {
            if (actionName == pressAction())
                tk::guarded([this] { highlight()->KeyboardClick(); });
        }

    private:
        // The popup of the group may be another member's.
        bool groupPinned() const
        {
            const TBoardHighlight* own = highlight();
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* popup = qobject_cast<TPopupForm*>(window);
                if (popup && popup->isVisible() && popup->Highlight() && popup->Highlight()->Pinned()
                    && popup->Highlight()->Title() == own->Title()
                    && popup->Highlight()->HighlightType() == own->HighlightType())
                    return true;
            }
            return false;
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
                return jumper()->PositionText();
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

void installBoardAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(boardControlsFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

}
