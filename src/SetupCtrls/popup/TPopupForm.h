#pragma once
// The small tool window that a highlight group pops up: the group's
// information panel on top, its explanatory lines in a read-only box, the
// Previous, Next and Done buttons and a status bar. Closing it hides it; it
// lives as long as the highlight that made it.

#include "toolkit/app/TNotifyEvent.h"
#include "toolkit/platform/WindowSystem.h"

#include <QMargins>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSize>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>
#include <optional>

class TBoardHighlight;
class TRadioPanel;

class TPopupForm : public QWidget {
    Q_OBJECT
    Q_MOC_INCLUDE("SetupCtrls/highlight/TBoardHighlight.h")
    Q_PROPERTY(QStatusBar* PopupStatus READ PopupStatus)
    Q_PROPERTY(TBoardHighlight* Highlight READ Highlight)
    Q_PROPERTY(bool EnteredFromHover READ EnteredFromHover WRITE setEnteredFromHover)
    Q_PROPERTY(int Tag READ Tag WRITE setTag)
    Q_PROPERTY(TNotifyEvent OnActivate READ OnActivate WRITE setOnActivate)
    Q_PROPERTY(TNotifyEvent OnDeactivate READ OnDeactivate WRITE setOnDeactivate)

public:
    static constexpr int ButtonWidth = 58;
    static constexpr int ButtonHeight = 25;
    static constexpr int StatusHeight = 19;
    // The memo's and the outer buttons' distance from the sides, and the gap
    // between the memo and the buttons.
    static constexpr int Margin = 6;
    // The gap between the panel and the memo.
    static constexpr int PanelGap = 1;
    // The smallest outer size a popup gets, whatever its panel.
    static constexpr QSize MinimumOuterSize { 194, 122 };
    // The outer size of a popup without a panel.
    static constexpr QSize PanellessOuterSize { 194, 141 };
    // How often the pointer is looked at while the popup was entered from
    // hover.
    static constexpr int PointerWatchMs = 40;
    // What the client area holds below the panel besides the memo.
    static constexpr int ExtraClientHeight = PanelGap + Margin + ButtonHeight + StatusHeight;

    // A sizeable tool window that stays on top, owned by the highlight.
    explicit TPopupForm(TBoardHighlight* highlight);
    ~TPopupForm() override;

    // The status bar; nothing writes into it.
    QStatusBar* PopupStatus() const { return m_popupStatus; }
    TBoardHighlight* Highlight() const;
    // The mouse came into the popup from its highlight before the popup was
    // pinned: leaving the popup then closes it.
    bool EnteredFromHover() const { return m_enteredFromHover; }
    void setEnteredFromHover(bool value);
    // Whether the popup takes the keyboard: pinned from the keyboard or a
    // menu, as opposed to opened by hovering or pinned by the pointer. Where
    // the window beside its circle gets no keyboard (natively on Wayland),
    // it becomes a window of its own, shown again at once if it is shown.
    void setTakesKeyboard(tk::TakesKeyboard value);
    // The ordinal of the highlight type; with the caption it identifies a
    // group's popup among all windows.
    int Tag() const { return m_tag; }
    void setTag(int value) { m_tag = value; }
    TNotifyEvent OnActivate() const { return m_onActivate; }
    void setOnActivate(const TNotifyEvent& value) { m_onActivate = value; }
    TNotifyEvent OnDeactivate() const { return m_onDeactivate; }
    void setOnDeactivate(const TNotifyEvent& value) { m_onDeactivate = value; }

    QPushButton* PreviousButton() const { return m_previousButton; }
    QPushButton* NextButton() const { return m_nextButton; }
    QPushButton* DoneButton() const { return m_doneButton; }
    QPlainTextEdit* StatusMemo() const { return m_statusMemo; }

    // Takes the panel in for good at (0, 0) with its FinalAnchors and its
    // activation events, and sizes the client area to hold it with a memo of
    // memoHeight below. Where the panel was laid out on the main window
    // decides where the popup goes.
    void adoptPanel(TRadioPanel* panel, int memoHeight);
    // For a popup without a panel: the fixed outer size.
    void requestOuterSize(QSize outer);
    // Widens the window to at least minimumOuter and makes the outer size
    // reached the smallest the user can shrink it to.
    void fitToMinimum(QSize minimumOuter);
    // Creates the status bar, the buttons and the memo at their places in
    // the client area as it is now, anchored so that they follow resizes.
    void buildControls(int memoHeight);
    // Puts the window's frame at topLeft, pushed back inside the work area.
    void placeAt(QPoint topLeft);
    // Where the panel was laid out on the main window; none without a panel.
    std::optional<QPoint> panelLaidOut() const { return m_panelLaidOut; }
    // Puts the window where its highlight places it for the main window as
    // it is now. While it is open and the user has not moved it, it follows
    // the main window and the board.
    void placeBesideCircle();

    // Where Escape gives the focus back: the circle the keyboard opened the
    // popup from, else the highlight that owns it. Forgotten at each hide.
    void setFocusReturn(QWidget* widget);
    QWidget* focusReturn() const;
    // Tab walks the explanation, the panel's jumper pictures, radio buttons
    // and other controls, then Previous, Next and Done.
    void arrangeTabOrder();
    // The focus to the first of them, the explanation at its first line.
    void focusFirstControl();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The size rules with the frame as it is now: the outer size follows
    // from the requested client (or outer) size and the minimum.
    void applySize();
    void applyPlacement();
    // The controls' places for the client size as it is now.
    void layoutControls();
    // The frame is known only once the window manager has framed the
    // window; the size and the place made without it are made again for it,
    // unless the user has resized the window in between.
    void frameMayHaveChanged();
    void watchLeaves(QWidget* widget);
    void mouseLeft();
    // The mouse entered widget, while the popup is open from hover only.
    void mouseSeenOn(QWidget* widget);
    bool onOwnCircle(const QWidget* widget) const;
    // A move of the native window that the window system reports: the
    // user may have dragged it.
    void noteWhereTheFrameIs(const QEvent* event);
    // The main window or the board moved or was resized.
    void mainWindowMoved(QObject* watched, QEvent::Type type);
    void lookWhereTheMouseIs();
    bool ownDropDownOpen() const;

    QPointer<QStatusBar> m_popupStatus;
    QPointer<TBoardHighlight> m_highlight;
    bool m_enteredFromHover = false;
    // Kept apart from the window flags, which cannot tell it: once the
    // window is shown, Qt adds hints of its own to the flags asked for.
    tk::TakesKeyboard m_takesKeyboard = tk::TakesKeyboard::No;
    int m_tag = 0;
    TNotifyEvent m_onActivate;
    TNotifyEvent m_onDeactivate;
    QPointer<QPushButton> m_previousButton;
    QPointer<QPushButton> m_nextButton;
    QPointer<QPushButton> m_doneButton;
    QPointer<QPlainTextEdit> m_statusMemo;
    int m_memoHeight = 0;
    QPointer<QWidget> m_focusReturn;
    // Looks where the pointer is while the popup was entered from hover:
    // from the popup's frame the pointer can go where the program hears of
    // no crossing and no motion.
    QTimer m_pointerWatch;

    std::optional<QSize> m_requestedClient;
    QSize m_requestedOuter;
    QSize m_minimumOuter;
    std::optional<QPoint> m_requestedPosition;
    std::optional<QPoint> m_panelLaidOut;
    // Where the frame was put last, and whether it is still there: a popup
    // the user has dragged elsewhere stays where the user put it.
    QPoint m_placedAt;
    bool m_followsWindow = true;
    bool m_awaitingPlace = false;
    bool m_followPending = false;
    QMargins m_appliedMargins;
    QSize m_appliedClient;
    bool m_frameSettled = false;
    // Shown, and not yet raised over the windows the window manager put it
    // under.
    bool m_raiseWhenExposed = false;
    bool m_applying = false;
};
