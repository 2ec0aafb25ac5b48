// TBoardHighlight's popup window: finding the group's one, placing it,
// making it, and what its closing does to the group.

#include "SetupCtrls/highlight/TBoardHighlight.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/rules/PopupPlacement.h"
#include "toolkit/layout/ScrollingClient.h"
#include "toolkit/platform/ExactClass.h"

#include <QApplication>
#include <QWindow>

namespace {

// Above the main window, without taking the keyboard from it: a popup
// opened by hovering leaves the focus where the user put it. Pinning it
// activates it (KeepOwnPopup).
void showAbove(QWidget* window)
{
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    // Window managers that give every new window the focus (fluxbox) leave
    // one that says it takes no input. A popup already shown keeps what it
    // said: pinned, it takes the focus again when the user switches back to
    // it (Alt+Tab), however often the mouse passes its circle meanwhile.
    if (!window->isVisible()) {
        window->winId();
        window->windowHandle()->setFlag(Qt::WindowDoesNotAcceptFocus, true);
    }
    window->show();
    window->raise();
}

}

void TBoardHighlight::ShowPopup()
{
    if (m_popup) {
        if (m_popup->isHidden()) {
            m_pinned = false;
            // Opened as the mouse comes, beside its circle; pinning it from
            // the keyboard gives it the keyboard again.
            m_popup->setTakesKeyboard(tk::TakesKeyboard::No);
            // The main window may have moved since the popup was last open.
            m_popup->placeBesideCircle();
        }
        showAbove(m_popup);
        return;
    }
    // The group's popup may be another member's; that member has the
    // mouse-enter relayed and shows it.
    if (findGroupPopup())
        return;
    buildPopup();
}

QWidget* TBoardHighlight::findGroupPopup() const
{
    // Windows without a Tag are no popups.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        const QVariant tag = window->property("Tag");
        if (window->windowTitle() == m_displayTitle && tag.metaType() == QMetaType::fromType<int>()
            && tag.toInt() == int(m_highlightType))
            return window;
    }
    return nullptr;
}

QPoint TBoardHighlight::popupPlace(std::optional<QPoint> panelLaidOut) const
{
    QWidget* parent = parentWidget();
    std::optional<QPoint> boardLaidOut;
    if (auto* board = tk::exactCast<TBoardImage>(parent))
        boardLaidOut = QPoint(board->LayoutLeft(), board->LayoutTop());
    // The board's place as the window shows it: on a page scrolled in a small
    // window, less the scrolling.
    const QRect board = parent ? QRect(tk::placeInClient(parent), parent->size()) : QRect();
    return SetupCtrls::popupOrigin(board, boardLaidOut, panelLaidOut, window()->frameGeometry().topLeft());
}

void TBoardHighlight::buildPopup()
{
    auto* popup = new TPopupForm(this);
    m_popup = popup;
    m_pinned = false;

    TRadioPanel* panel = m_radioPanel;
    const int memoHeight = panel ? panel->MemoHeight() : TRadioPanel::DefaultMemoHeight;
    if (panel)
        popup->adoptPanel(panel, memoHeight);
    else
        popup->requestOuterSize(TPopupForm::PanellessOuterSize);
    popup->setWindowTitle(m_displayTitle);
    popup->fitToMinimum(TPopupForm::MinimumOuterSize);
    popup->setTag(int(m_highlightType));

    popup->buildControls(memoHeight);
    if (panel) {
        popup->StatusMemo()->setPlainText(panel->Lines().join(u'\n'));
        panel->setStatusMemo(popup->StatusMemo());
    }
    popup->placeBesideCircle();

    showAbove(popup);
    if (panel)
        panel->setFocus();
    else
        popup->DoneButton()->setFocus();
}

void TBoardHighlight::closePopup()
{
    if (m_popup)
        m_popup->close();
}

void TBoardHighlight::PopupClose()
{
    CheckMenuEntry(false);
    setPopupEnteredFromHover(false);
    Unlight();
    forEachMember([](TBoardHighlight& member) { member.Unlight(); });
}

void TBoardHighlight::DoneClick(QObject*)
{
    closePopup();
}

void TBoardHighlight::setPopup(TPopupForm* popup)
{
    m_popup = popup;
}

void TBoardHighlight::setPopupEnteredFromHover(bool value)
{
    if (m_popup)
        m_popup->setEnteredFromHover(value);
}
