#include "SetupCtrls/popup/TPopupForm.h"

#include "SetupCtrls/board/BoardAccessibility.h"
#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TRadioPanel.h"
#include "SetupCtrls/rules/PopupPlacement.h"
#include "toolkit/app/ErrorReport.h"
#include "toolkit/app/LayoutFonts.h"
#include "toolkit/controls/ReadOnlyMemo.h"
#include "toolkit/layout/Anchors.h"
#include "toolkit/layout/WindowGeometry.h"
#include "toolkit/platform/ExactClass.h"
#include "toolkit/platform/WindowRoles.h"
#include "toolkit/platform/WindowSystem.h"

#include <QApplication>
#include <QChildEvent>
#include <QCloseEvent>
#include <QScreen>
#include <QWindow>

using tk::akBottom;
using tk::akLeft;
using tk::akRight;
using tk::akTop;

namespace {

// A sizeable tool window: a small caption with a close box, and no minimise
// or maximise box even where the window manager would add them. Under a
// window manager that would put it elsewhere, one it leaves alone; on
// Wayland, a popup surface of the main window, unless it takes the keyboard.
Qt::WindowFlags popupFlags(tk::TakesKeyboard keyboard)
{
    const Qt::WindowFlags tool = Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint;
    return tk::besideParentFlags(tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint, keyboard);
}

}

TPopupForm::TPopupForm(TBoardHighlight* highlight)
    : QWidget(highlight, popupFlags(tk::TakesKeyboard::No))
    , m_highlight(highlight)
{
    // Closing hides the window: the highlight keeps it, with the panel and
    // the state of the panel's controls, for the next time.
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_QuitOnClose, false);
    // A window does not inherit its parent's font; the panel's labels were
    // laid out in the page's font, drawn here at this window's density.
    if (highlight)
        setFont(tk::laidOutFont(highlight));
    tk::followDevicePixelRatio(this);
    // The mouse can leave without a leave of the popup's own: from its frame,
    // from its drop-down list once that closes, or onto a window that came
    // up over it. Whatever the pointer does next elsewhere in the program is
    // the moment to look where it is.
    qApp->installEventFilter(this);
    m_pointerWatch.setInterval(PointerWatchMs);
    connect(&m_pointerWatch, &QTimer::timeout, this, &TPopupForm::mouseLeft);
}

TPopupForm::~TPopupForm() = default;

void TPopupForm::setEnteredFromHover(bool value)
{
    m_enteredFromHover = value;
    if (value)
        m_pointerWatch.start();
    else
        m_pointerWatch.stop();
}

void TPopupForm::setTakesKeyboard(tk::TakesKeyboard value)
{
    const bool sameKind = popupFlags(value) == popupFlags(m_takesKeyboard);
    m_takesKeyboard = value;
    if (sameKind)
        return;
    // Qt makes a window of another kind afresh, and hides it meanwhile.
    const bool shown = isVisible();
    setWindowFlags(popupFlags(value));
    if (shown)
        show();
}

TBoardHighlight* TPopupForm::Highlight() const
{
    return m_highlight.data();
}

void TPopupForm::adoptPanel(TRadioPanel* panel, int memoHeight)
{
    m_onActivate = panel->OnActivate();
    m_onDeactivate = panel->OnDeactivate();
    m_panelLaidOut = panel->pos();
    panel->move(0, 0);
    m_requestedClient = QSize(panel->width(), panel->height() + memoHeight + ExtraClientHeight);
    applySize();
    panel->setParent(this);
    SetupCtrls::announceNewParent(panel);
    // Qt hides a widget that changes parent.
    panel->show();
    tk::setAnchors(panel, panel->FinalAnchors());
    panel->setFinalAnchorsApplied(true);
}

void TPopupForm::requestOuterSize(QSize outer)
{
    m_requestedClient.reset();
    m_requestedOuter = outer;
    applySize();
}

void TPopupForm::fitToMinimum(QSize minimumOuter)
{
    m_minimumOuter = minimumOuter;
    applySize();
}

void TPopupForm::applySize()
{
    const QMargins margins = tk::frameMargins(this);
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    const QSize outer = (m_requestedClient ? *m_requestedClient + frame : m_requestedOuter).expandedTo(m_minimumOuter);
    const QSize client = (outer - frame).expandedTo(QSize(1, 1));
    m_applying = true;
    setMinimumSize(0, 0);
    resize(client);
    // The user may make the window larger, never smaller than it first was.
    if (!m_minimumOuter.isEmpty())
        setMinimumSize(client);
    m_applying = false;
    m_appliedMargins = margins;
    m_appliedClient = client;
}

void TPopupForm::placeAt(QPoint topLeft)
{
    m_requestedPosition = topLeft;
    applyPlacement();
}

void TPopupForm::placeBesideCircle()
{
    if (!m_highlight)
        return;
    const QPoint place = m_highlight->popupPlace(m_panelLaidOut);
    // A hidden window that would come back where it was is left alone:
    // several window managers frame a window moved while hidden off by its
    // frame's margins.
    if (!isVisible() && m_followsWindow && m_requestedPosition == place)
        return;
    placeAt(place);
}

void TPopupForm::applyPlacement()
{
    if (!m_requestedPosition)
        return;
    const QScreen* screen = QGuiApplication::screenAt(*m_requestedPosition);
    if (!screen)
        screen = this->screen();
    // Inside the work area: a taskbar or panel does not cover the popup.
    const QRect area = screen ? screen->availableGeometry() : QRect();
    m_placedAt = SetupCtrls::keptOnScreen(*m_requestedPosition, frameGeometry().size(), area);
    m_followsWindow = true;
    // A shown window asked to stay where it is gets no report back: waiting
    // for one would take the user's next drag for the window system's.
    if (!isVisible() || frameGeometry().topLeft() != m_placedAt)
        m_awaitingPlace = true;
    m_applying = true;
    move(m_placedAt);
    m_applying = false;
}

void TPopupForm::noteWhereTheFrameIs(const QEvent* event)
{
    if (!event->spontaneous() || m_applying || !isVisible() || tk::frameMargins(this).isNull())
        return;
    // The window system moves the frame where it was put, and may pass
    // through other places while it frames the window; once it has been
    // there, a move elsewhere is the user dragging it. Told by the native
    // window: the widget takes a shown window to be where it was asked to
    // go at once, and hears nothing when the window system puts it there.
    if (windowHandle()->framePosition() == m_placedAt)
        m_awaitingPlace = false;
    else if (!m_awaitingPlace)
        m_followsWindow = false;
}

void TPopupForm::mainWindowMoved(QObject* watched, QEvent::Type type)
{
    // Where a shown popup cannot be moved, the window system moves it with
    // the main window; Qt would take it to be where it was asked to go.
    if (!m_highlight || !isVisible() || !m_followsWindow || m_followPending || !tk::besideParentMovesWhileShown())
        return;
    const bool window = watched == m_highlight->window() && (type == QEvent::Move || type == QEvent::Resize);
    const bool board = watched == m_highlight->parentWidget() && type == QEvent::Move;
    if (!window && !board)
        return;
    // Once the window has laid itself out again: a resize re-centres the
    // board only at its next paint.
    m_followPending = true;
    QTimer::singleShot(0, this, [this] {
        m_followPending = false;
        if (isVisible() && m_followsWindow)
            placeBesideCircle();
    });
}

void TPopupForm::frameMayHaveChanged()
{
    if (m_applying || m_frameSettled || !m_requestedPosition || !isVisible())
        return;
    const QMargins margins = tk::frameMargins(this);
    if (margins == m_appliedMargins || size() != m_appliedClient)
        return;
    // Once made for a real frame, size and place are the user's: a frame
    // that comes and goes as the window hides and shows changes neither.
    m_frameSettled = !margins.isNull();
    // Laid out afresh rather than followed: the controls' places are those
    // of the client area that the first frame gives.
    applySize();
    layoutControls();
    applyPlacement();
}

void TPopupForm::buildControls(int memoHeight)
{
    m_memoHeight = memoHeight;

    m_popupStatus = new QStatusBar(this);
    m_popupStatus->setObjectName(QStringLiteral("PopupStatus"));

    const auto button = [this](const char* name, const QString& text, void (TBoardHighlight::*handler)(QObject*)) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        // The highlight is asked at the click: the one that owns the popup.
        connect(b, &QPushButton::clicked, this, [this, b, handler] {
            tk::guarded([this, b, handler] {
                if (m_highlight)
                    (m_highlight->*handler)(b);
            });
        });
        return b;
    };
    m_previousButton = button("PreviousButton", QStringLiteral("Previous"), &TBoardHighlight::PreviousClick);
    m_nextButton = button("NextButton", QStringLiteral("Next"), &TBoardHighlight::NextClick);
    m_doneButton = button("DoneButton", QStringLiteral("Done"), &TBoardHighlight::DoneClick);

    m_statusMemo = tk::newReadOnlyMemo<QPlainTextEdit>(this, QStringLiteral("StatusMemo"));
    m_statusMemo->clear();

    layoutControls();
    tk::setAnchors(m_popupStatus, akLeft | akRight | akBottom);
    tk::setAnchors(m_previousButton, akLeft | akBottom);
    tk::setAnchors(m_nextButton, akBottom);
    tk::setAnchors(m_doneButton, akRight | akBottom);
    tk::setAnchors(m_statusMemo, akLeft | akTop | akRight | akBottom);
    arrangeTabOrder();
}

void TPopupForm::layoutControls()
{
    if (!m_statusMemo)
        return;
    const int cw = width();
    const int ch = height();
    m_popupStatus->setGeometry(0, ch - StatusHeight, cw, StatusHeight);
    // From the bottom up: the status bar, the buttons on it, a margin, the
    // memo.
    const int buttonTop = ch - StatusHeight - ButtonHeight;
    m_previousButton->setGeometry(Margin, buttonTop, ButtonWidth, ButtonHeight);
    m_nextButton->setGeometry((cw - ButtonWidth) / 2, buttonTop, ButtonWidth, ButtonHeight);
    m_doneButton->setGeometry(cw - Margin - ButtonWidth, buttonTop, ButtonWidth, ButtonHeight);
    m_statusMemo->setGeometry(Margin, buttonTop - Margin - m_memoHeight, cw - 2 * Margin, m_memoHeight);
}

bool TPopupForm::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
        const bool active = event->type() == QEvent::WindowActivate;
        tk::guarded([this, active] {
            if (m_highlight)
                m_highlight->SetActive(active, true);
            (active ? m_onActivate : m_onDeactivate)(this);
        });
        if (active)
            SetupCtrls::announceFocusAgain(this);
        break;
    }
    case QEvent::ChildAdded:
        if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
            watchLeaves(child);
        break;
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::Resize: {
        // A tool window of the main window: no taskbar entry of its own.
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            tk::keepOffTaskbar(windowHandle());
            m_raiseWhenExposed = true;
        }
        const bool handled = QWidget::event(event);
        frameMayHaveChanged();
        if (event->type() == QEvent::Show)
            SetupCtrls::announceCheckedChanges();
        return handled;
    }
    case QEvent::Hide: {
        const bool handled = QWidget::event(event);
        SetupCtrls::announceCheckedChanges();
        return handled;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

// Qt reports a leave to every control the mouse leaves, and to the popup
// only when the mouse leaves the window; each of them may be the moment the
// mouse has gone.
void TPopupForm::watchLeaves(QWidget* widget)
{
    if (widget->isWindow())
        return;
    widget->installEventFilter(this);
    for (QWidget* inner : widget->findChildren<QWidget*>())
        if (!inner->isWindow())
            inner->installEventFilter(this);
}

bool TPopupForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Enter && watched->isWidgetType()) {
        // Entering a window enters its controls from the outside in: the
        // one that counts is the innermost, where the mouse is.
        QWidget* window = static_cast<QWidget*>(watched)->window();
        if (tk::screenPlacesKnown()) {
            mouseSeenOn(tk::widgetUnderPointer(window));
        } else {
            // Qt marks the window under the mouse only after the filters
            // have seen the entry.
            QMetaObject::invokeMethod(
                this, [this, window = QPointer<QWidget>(window)] {
                    if (window)
                        mouseSeenOn(tk::widgetUnderPointer(window));
                },
                Qt::QueuedConnection);
        }
    }
    // A menu or drop-down list let go of the mouse, which may now be where
    // no window of the program sees it (a window's frame, say).
    if (type == QEvent::Hide && watched->isWidgetType() && static_cast<QWidget*>(watched)->windowType() == Qt::Popup)
        QMetaObject::invokeMethod(this, &TPopupForm::lookWhereTheMouseIs, Qt::QueuedConnection);
    if ((type == QEvent::Leave || type == QEvent::Enter || type == QEvent::MouseMove) && watched != this)
        mouseLeft();
    // Exposed, the window is in the frame it will keep: a window manager
    // that framed it late may have put it into a frame that did not yet
    // enclose it when the last move or resize came.
    if (type == QEvent::Expose && watched == static_cast<QObject*>(windowHandle())) {
        QMetaObject::invokeMethod(this, &TPopupForm::frameMayHaveChanged, Qt::QueuedConnection);
        // A window manager that stacks a window it does not focus below the
        // active one (mutter) put it under the instructions, where the mouse
        // cannot reach its controls: raised again once it is there.
        if (m_raiseWhenExposed && isVisible()) {
            m_raiseWhenExposed = false;
            raise();
        }
    }
    if (type == QEvent::Move && watched == static_cast<QObject*>(windowHandle()))
        noteWhereTheFrameIs(event);
    if (type == QEvent::Move || type == QEvent::Resize)
        mainWindowMoved(watched, type);
    return QWidget::eventFilter(watched, event);
}

bool TPopupForm::onOwnCircle(const QWidget* widget) const
{
    if (widget == m_highlight)
        return true;
    const TBoardHighlight* circle = m_highlight;
    return circle && tk::isExactly<TBoardHighlight>(widget) && tk::isExactly<TBoardHighlight>(circle)
        && tk::isExactly<TBoardImage>(circle->parentWidget()) && widget->parentWidget() == circle->parentWidget()
        && static_cast<const TBoardHighlight*>(widget)->Title() == circle->Title()
        && static_cast<const TBoardHighlight*>(widget)->HighlightType() == circle->HighlightType();
}

// Open from hover only, the popup stays while the mouse is on its group's
// circles. The circle's own leave can go astray (a menu or drop-down list
// held the mouse when it left, or a window came up under it): the mouse
// entering anything else is the moment to do what that leave does, which
// keeps the popup when the mouse is in it and closes it otherwise.
void TPopupForm::mouseSeenOn(QWidget* widget)
{
    if (!m_highlight || !isVisible() || m_highlight->Pinned() || QApplication::activePopupWidget()
        || onOwnCircle(widget))
        return;
    // Where the window system tells only which window the pointer is in,
    // Qt may report it entering a control of the main window on its way into
    // the popup; the circle's own leave closes the popup if it goes
    // elsewhere.
    if (!tk::screenPlacesKnown() && (!widget || widget->window() != this))
        return;
    m_highlight->MouseLeave(TBoardHighlight::RelayMarker::Direct);
}

void TPopupForm::lookWhereTheMouseIs()
{
    mouseLeft();
    mouseSeenOn(tk::widgetUnderPointer());
}

void TPopupForm::leaveEvent(QEvent* event)
{
    mouseLeft();
    QWidget::leaveEvent(event);
}

bool TPopupForm::ownDropDownOpen() const
{
    for (const QWidget* w = QApplication::activePopupWidget(); w; w = w->parentWidget())
        if (w == this)
            return true;
    return false;
}

void TPopupForm::mouseLeft()
{
    // A leave onto the frame, onto another control of the popup or into the
    // popup's own drop-down list is no leave from the popup.
    if (!m_enteredFromHover || !isVisible()) {
        m_pointerWatch.stop();
        return;
    }
    if (tk::pointerOver(this) || ownDropDownOpen())
        return;
    if (!tk::screenPlacesKnown()) {
        // Told only which window the pointer is in, Qt may report a leave
        // and the entry back a moment apart as the compositor maps windows.
        QTimer::singleShot(tk::PointerCrossingGraceMs, this, [this] {
            if (m_enteredFromHover && isVisible() && !tk::pointerOver(this) && !ownDropDownOpen())
                close();
        });
        return;
    }
    close();
}

void TPopupForm::closeEvent(QCloseEvent* event)
{
    tk::guarded([this] {
        if (m_highlight)
            m_highlight->PopupClose();
    });
    event->accept();
}
