#include "SetupCtrls/highlight/TBoardHighlight.h"

#include "SetupCtrls/board/BoardAccessibility.h"
#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/rules/FocusRing.h"
#include "SetupCtrls/rules/HighlightMenuRules.h"
#include "toolkit/app/ErrorReport.h"
#include "toolkit/app/PointerMotion.h"
#include "toolkit/platform/ExactClass.h"
#include "toolkit/platform/WindowSystem.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWindow>

using namespace SetupTypes;

TBoardHighlight::TBoardHighlight(QWidget* parent)
    : QWidget(parent)
{
    resize(DefaultSize, DefaultSize);
    // Tab and the arrow keys reach it; a click leaves the focus where it is.
    setFocusPolicy(Qt::TabFocus);
    // An entry that no motion made waits for the pointer to move on the
    // circle (enterEvent).
    setMouseTracking(true);
    tk::followPointerMotion();
    // The field starts at the first kind, so that this write fills in the
    // colour scheme as a changed value does.
    setHighlightType(htSettings);
}

TBoardHighlight::~TBoardHighlight() = default;

void TBoardHighlight::setHighlightType(THighlightType value)
{
    if (m_highlightType == value)
        return;
    m_highlightType = value;
    m_scheme = SetupCtrls::tintSchemeFor(value);
    update();
}

void TBoardHighlight::setRadioPanel(TRadioPanel* value)
{
    if (m_radioPanel == value)
        return;
    if (!value) {
        m_radioPanel = nullptr;
        return;
    }
    // A panel belongs to one group: its popup moves the panel in for good.
    if (QWidget* parent = parentWidget()) {
        for (QObject* child : parent->children()) {
            if (child == this || !tk::isExactly<TBoardHighlight>(child))
                continue;
            const auto* other = static_cast<const TBoardHighlight*>(child);
            if (other->RadioPanel() == value
                && (other->Title() != m_title || other->HighlightType() != m_highlightType))
                return;
        }
    }
    m_radioPanel = value;
}

void TBoardHighlight::setTitle(const QString& value)
{
    if (m_title == value)
        return;
    m_title = value;
    m_displayTitle = value;
    m_displayTitle.remove(u'&');
    m_identTitle = SetupCtrls::identifierFrom(value);
}

const QImage& TBoardHighlight::RingImage()
{
    m_pictures.light();
    return m_pictures.ring();
}

const QImage& TBoardHighlight::HoverImage()
{
    m_pictures.light();
    return m_pictures.hover();
}

const QImage& TBoardHighlight::CurrentImage()
{
    if (m_active && m_lit)
        return RingImage();
    if (m_active || m_lit)
        return HoverImage();
    return IdleImage();
}

void TBoardHighlight::BuildImages()
{
    m_pictures.capture(HighlightPictures::beneath(*this), m_scheme);
}

void TBoardHighlight::paintEvent(QPaintEvent*)
{
    // The window went to a screen of another density.
    if (m_initialised && IdleImage().devicePixelRatio() != devicePixelRatioF())
        BuildImages();
    if (!m_initialised) {
        BuildImages();
        auto* board = tk::exactCast<TBoardImage>(parentWidget());
        m_linkedMenu = board ? board->Menu() : nullptr;
        // Set before registering: a registration that fails is reported
        // once, not again at every repaint.
        m_initialised = true;
        if (board)
            tk::guarded([this] { RegisterMenuEntry(); });
        orderTour();
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), CurrentImage());
    if (focusRingShown())
        SetupCtrls::drawFocusEllipse(painter, rect());
}

TMainMenu* TBoardHighlight::LinkedMenu() const
{
    return m_linkedMenu.data();
}

bool TBoardHighlight::inGroupWith(const QObject* child) const
{
    if (!tk::isExactly<TBoardHighlight>(child))
        return false;
    const auto* other = static_cast<const TBoardHighlight*>(child);
    return other->Title() == m_title && other->HighlightType() == m_highlightType;
}

void TBoardHighlight::forEachMember(const std::function<void(TBoardHighlight&)>& action) const
{
    // Taken before anyone is called: a member's popup can raise highlights
    // and so reorder the very list being walked.
    QList<QPointer<TBoardHighlight>> members;
    QWidget* parent = parentWidget();
    if (!tk::isExactly<TBoardImage>(parent))
        return;
    for (QObject* child : parent->children())
        if (inGroupWith(child))
            members.append(static_cast<TBoardHighlight*>(child));
    for (const QPointer<TBoardHighlight>& member : members)
        if (member)
            action(*member);
}

void TBoardHighlight::MouseEnter(RelayMarker relay)
{
    if (m_lit)
        return;
    m_lit = true;
    update();
    if (m_createPopup)
        ShowPopup();
    if (relay == RelayMarker::FromGroup)
        return;
    forEachMember([](TBoardHighlight& member) { member.MouseEnter(RelayMarker::FromGroup); });
}

void TBoardHighlight::MouseLeave(RelayMarker relay)
{
    // Lit stays: only the popup's closing darkens the group.
    if (!m_lit)
        return;
    if (m_popup && !m_pinned) {
        if (tk::pointerOver(m_popup)) {
            setPopupEnteredFromHover(true);
            KeepPopup(PinnedBy::Pointer);
        } else {
            closePopup();
        }
    }
    if (relay == RelayMarker::FromGroup)
        return;
    forEachMember([](TBoardHighlight& member) { member.MouseLeave(RelayMarker::FromGroup); });
}

void TBoardHighlight::Click()
{
    // A failing handler is reported, and the click still pins the popup.
    tk::guarded([this] { m_onClick(this); });
    KeepPopup(m_clickPinsBy);
    focusGroupPopup();
}

void TBoardHighlight::focusGroupPopup()
{
    // Pinned by the user, the popup is read from its start; one that the
    // mouse moved into from hover keeps the focus where it was.
    TPopupForm* popup = m_popup;
    forEachMember([&popup](TBoardHighlight& member) {
        if (!popup)
            popup = member.Popup();
    });
    if (popup && popup->isVisible())
        popup->focusFirstControl();
}

void TBoardHighlight::KeepPopup(PinnedBy by)
{
    if (m_popup) {
        m_pinned = true;
        CheckMenuEntry(true);
    }
    forEachMember([by](TBoardHighlight& member) { member.KeepOwnPopup(by); });
    // A popup already shown is pinned without showing again.
    SetupCtrls::announceCheckedChanges();
}

void TBoardHighlight::KeepOwnPopup(PinnedBy by)
{
    if (!m_popup)
        return;
    // Closed from the keyboard while the mouse rested on the highlight, the
    // popup is hidden and no mouse-enter comes to show it; the click asked
    // for it, so it comes back as the mouse entering would bring it.
    if (m_popup->isHidden())
        MouseEnter(RelayMarker::Direct);
    if (by == PinnedBy::Keyboard)
        m_popup->setTakesKeyboard(tk::TakesKeyboard::Yes);
    m_pinned = true;
    CheckMenuEntry(true);
    if (m_popup->isVisible()) {
        m_popup->raise();
        // Opened by hovering, it said it takes no input.
        if (QWindow* window = m_popup->windowHandle())
            window->setFlag(Qt::WindowDoesNotAcceptFocus, false);
        m_popup->activateWindow();
    }
}

void TBoardHighlight::SetActive(bool value, bool relay)
{
    m_active = value;
    raise();
    update();
    QWidget* parent = parentWidget();
    if (!relay || !tk::isExactly<TBoardImage>(parent))
        return;
    // Each member raised goes to the end of the list; the walk stops before
    // the ones already raised, so every member moves once and the members
    // keep their order among themselves.
    qsizetype n = parent->children().size();
    for (qsizetype i = 0; i < n;) {
        QObject* child = parent->children().at(i);
        if (child != this && inGroupWith(child)) {
            static_cast<TBoardHighlight*>(child)->SetActive(value, false);
            --n;
        } else {
            ++i;
        }
    }
}

void TBoardHighlight::Unlight()
{
    m_lit = false;
    update();
}

void TBoardHighlight::enterEvent(QEnterEvent* event)
{
    // The window system also reports the pointer entering when the main
    // window is mapped under it or a window over the circle goes away: no
    // popup opens before the user moves the pointer.
    if (!tk::pointerMovedTo(event->globalPosition())) {
        m_entryAwaitsMotion = true;
        return;
    }
    tk::guarded([this] { MouseEnter(RelayMarker::Direct); });
}

void TBoardHighlight::mouseMoveEvent(QMouseEvent* event)
{
    if (m_entryAwaitsMotion) {
        m_entryAwaitsMotion = false;
        tk::guarded([this] { MouseEnter(RelayMarker::Direct); });
    }
    QWidget::mouseMoveEvent(event);
}

void TBoardHighlight::leaveEvent(QEvent*)
{
    m_entryAwaitsMotion = false;
    if (!tk::screenPlacesKnown()) {
        // Told only which window the pointer is in, the program hears the
        // pointer leave the circle before it hears it enter the popup.
        judgeLeave();
        return;
    }
    tk::guarded([this] { MouseLeave(RelayMarker::Direct); });
}

void TBoardHighlight::judgeLeave()
{
    // The popup's entry keeps it (TPopupForm::mouseSeenOn); the compositor
    // tells of it a frame or two after the leave, and Qt, which takes every
    // window for one at the screen's origin, may meanwhile report the
    // pointer on another control of the main window. The leave waits that
    // long before it closes the popup.
    QTimer::singleShot(tk::PointerCrossingGraceMs, this, [this] {
        if (!underMouse())
            tk::guarded([this] { MouseLeave(RelayMarker::Direct); });
    });
}

void TBoardHighlight::mousePressEvent(QMouseEvent* event)
{
    m_clicks.press(event);
}

void TBoardHighlight::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_clicks.release(event, rect()))
        return;
    const QScopedValueRollback pointer(m_clickPinsBy, PinnedBy::Pointer);
    tk::guarded([this] { Click(); });
}

void TBoardHighlight::mouseDoubleClickEvent(QMouseEvent* event)
{
    // There is no double-click event.
    m_clicks.doubleClick(event);
}
