// TBoardHighlight from the keyboard: the walk from circle to circle, the
// press that does what a click does, and the focus ring.

#include "SetupCtrls/highlight/TBoardHighlight.h"

#include "SetupCtrls/rules/HighlightTour.h"
#include "toolkit/app/ErrorReport.h"

#include <QKeyEvent>

void TBoardHighlight::keyboardClick()
{
    QPointer<TBoardHighlight> self(this);
    // The mouse would have entered before its click: the enter opens the
    // group's popup, the click pins it, and the leave finds it pinned.
    MouseEnter(RelayMarker::Direct);
    if (self)
        Click();
    if (self)
        MouseLeave(RelayMarker::Direct);
    if (!self)
        return;
    // Escape in the group's popup, whichever member made it, gives the focus
    // back here.
    TPopupForm* popup = nullptr;
    forEachMember([&popup](TBoardHighlight& member) {
        if (!popup)
            popup = member.Popup();
    });
    if (!popup)
        popup = m_popup;
    if (popup)
        popup->setFocusReturn(this);
}

void TBoardHighlight::orderTour()
{
    // The window's chain starts the tour where the menus do, so that the
    // first Tab into the window lands on the first spot of "&Settings".
    const QList<TBoardHighlight*> tour = SetupCtrls::highlightTour(parentWidget());
    if (tour.isEmpty())
        return;
    QWidget::setTabOrder(window(), tour.first());
    for (qsizetype i = 1; i < tour.size(); ++i)
        QWidget::setTabOrder(tour.at(i - 1), tour.at(i));
    // The other members of a group are no stops of the walk, and so no
    // stops of Qt's own either.
    for (QObject* child : parentWidget()->children())
        if (auto* highlight = qobject_cast<TBoardHighlight*>(child); highlight && !tour.contains(highlight)
            && highlight->isVisibleTo(parentWidget()) && highlight->isEnabled())
            highlight->setFocusPolicy(Qt::NoFocus);
}

bool TBoardHighlight::focusNextPrevChild(bool next)
{
    // Tab and Shift+Tab go round the circles, as the arrow keys do.
    if (TBoardHighlight* target = SetupCtrls::tourNeighbour(this, next ? 1 : -1)) {
        target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void TBoardHighlight::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (m_focusCue.keyUsed())
        update();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        // Holding the key down clicks once.
        if (!event->isAutoRepeat())
            tk::guarded([this] { keyboardClick(); });
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        event->accept();
        focusNextPrevChild(true);
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        event->accept();
        focusNextPrevChild(false);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TBoardHighlight::showFocusCue()
{
    if (m_focusCue.keyUsed())
        update();
}

bool TBoardHighlight::focusRingShown() const
{
    return hasFocus() && m_focusCue.shown();
}

void TBoardHighlight::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_focusCue.focusIn(event->reason());
    update();
}

void TBoardHighlight::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_focusCue.focusOut(event->reason());
    update();
}
