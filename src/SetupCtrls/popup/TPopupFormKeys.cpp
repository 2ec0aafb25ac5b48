// TPopupForm from the keyboard: the order Tab walks, the focus a pinned
// popup takes, and Escape, which does what Done does and gives the focus
// back to the circle the popup came from.

#include "SetupCtrls/popup/TPopupForm.h"

#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TRadioPanel.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "toolkit/platform/WindowRoles.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>

namespace {

// The jumper pictures first, then the radio buttons, then anything else
// (the range selector), each as the panel's own chain has them.
int tabRank(const QWidget* control)
{
    if (qobject_cast<const TThreeJumper*>(control))
        return 0;
    if (qobject_cast<const QAbstractButton*>(control))
        return 1;
    return 2;
}

}

void TPopupForm::setFocusReturn(QWidget* widget)
{
    m_focusReturn = widget;
}

QWidget* TPopupForm::focusReturn() const
{
    return m_focusReturn ? m_focusReturn.data() : m_highlight.data();
}

void TPopupForm::arrangeTabOrder()
{
    QList<QWidget*> order;
    if (auto* panel = findChild<TRadioPanel*>(QString(), Qt::FindDirectChildrenOnly)) {
        for (QWidget* w = panel->nextInFocusChain(); w && w != panel; w = w->nextInFocusChain()) {
            if (!panel->isAncestorOf(w))
                continue;
            if ((w->focusPolicy() & Qt::TabFocus) && !order.contains(w))
                order.append(w);
        }
        std::stable_sort(order.begin(), order.end(),
            [](const QWidget* a, const QWidget* b) { return tabRank(a) < tabRank(b); });
    }
    for (QWidget* button : { static_cast<QWidget*>(m_previousButton), static_cast<QWidget*>(m_nextButton),
             static_cast<QWidget*>(m_doneButton) })
        if (button)
            order.append(button);
    // The explanation comes first, as it is read: a screen reader reads it
    // line by line as the arrow keys move through it.
    if (m_statusMemo) {
        m_statusMemo->setFocusPolicy(Qt::StrongFocus);
        order.prepend(m_statusMemo);
    }
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void TPopupForm::focusFirstControl()
{
    QWidget* first = m_statusMemo ? static_cast<QWidget*>(m_statusMemo) : m_doneButton.data();
    if (!first)
        return;
    if (m_statusMemo)
        m_statusMemo->moveCursor(QTextCursor::Start);
    first->setFocus(Qt::TabFocusReason);
}

void TPopupForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    const QPointer<QWidget> back = focusReturn();
    if (m_doneButton)
        m_doneButton->click();
    else
        close();
    if (back && !isVisible()) {
        back->window()->activateWindow();
        back->setFocus(Qt::OtherFocusReason);
        if (auto* circle = qobject_cast<TBoardHighlight*>(back.data()))
            circle->showFocusCue();
    }
}

void TPopupForm::hideEvent(QHideEvent* event)
{
    // The next opening says again where the focus goes back to.
    m_focusReturn = nullptr;
    QWidget::hideEvent(event);
    // Pinned, it may be Qt's active window without the window manager ever
    // having focused it (fluxbox): the main window's keys would go on to the
    // hidden popup.
    QWidget* mainWindow = m_highlight ? m_highlight->window() : nullptr;
    if (mainWindow && mainWindow->isVisible() && windowHandle() && QGuiApplication::focusWindow() == windowHandle())
        tk::confirmActivation(mainWindow->windowHandle());
}
