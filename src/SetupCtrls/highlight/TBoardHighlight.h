#pragma once
// A translucent circle over one spot of the board photograph; hovering lights
// it and opens its spot's popup, and its entry in the menu bar opens and
// closes the same popup.

#include "SetupCtrls/board/SetupTypes.h"
#include "SetupCtrls/highlight/HighlightPictures.h"
#include "SetupCtrls/highlight/Tint.h"
#include "SetupCtrls/popup/TPopupForm.h"
#include "SetupCtrls/popup/TRadioPanel.h"
#include "SetupCtrls/rules/FocusCue.h"
#include "toolkit/app/TNotifyEvent.h"
#include "toolkit/controls/ClickTracker.h"
#include "toolkit/controls/TMainMenu.h"
#include "toolkit/controls/TMenuItem.h"
#include "toolkit/graphics/TColor.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class TBoardHighlight : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool CreatePopup READ CreatePopup WRITE setCreatePopup)
    Q_PROPERTY(SetupTypes::THighlightType HighlightType READ HighlightType WRITE setHighlightType)
    Q_PROPERTY(TRadioPanel* RadioPanel READ RadioPanel WRITE setRadioPanel)
    Q_PROPERTY(QString Title READ Title WRITE setTitle)
    Q_PROPERTY(TNotifyEvent OnClick READ OnClick WRITE setOnClick)

public:
    static constexpr int DefaultSize = 65;

    // Where a mouse-enter or mouse-leave comes from: the mouse itself (or
    // another part of the program opening or closing the popup), or a member
    // of the same group passing it on, which passes it on no further.
    enum class RelayMarker {
        Direct,
        FromGroup,
    };

    explicit TBoardHighlight(QWidget* parent = nullptr);
    ~TBoardHighlight() override;

    // Whether the mouse entering the highlight opens its popup.
    bool CreatePopup() const { return m_createPopup; }
    void setCreatePopup(bool value) { m_createPopup = value; }

    // The kind of spot; writing it chooses the colour scheme. Once the images
    // exist they keep the colours they were made with.
    SetupTypes::THighlightType HighlightType() const { return m_highlightType; }
    void setHighlightType(SetupTypes::THighlightType value);

    // The panel the popup shows. A panel already linked to a highlight of
    // another group on the same parent is refused, silently.
    TRadioPanel* RadioPanel() const { return m_radioPanel; }
    void setRadioPanel(TRadioPanel* value);

    // The spot's name, "&" marking the menu accelerator.
    QString Title() const { return m_title; }
    void setTitle(const QString& value);
    // Title without its "&" marks: the popup's caption.
    QString DisplayTitle() const { return m_displayTitle; }
    // Title reduced to an identifier: the stem of the menu item's name.
    QString IdentTitle() const { return m_identTitle; }

    TNotifyEvent OnClick() const { return m_onClick; }
    void setOnClick(const TNotifyEvent& value) { m_onClick = value; }

    // The photograph beneath the control, tinted at IdleAlpha, at RingAlpha
    // with the bright ring, and at HoverAlpha. The idle one is made at the
    // first paint; the two lit ones when first asked for (most highlights
    // are never lit), from the same picture beneath and in the same colours.
    const QImage& IdleImage() const { return m_pictures.idle(); }
    const QImage& RingImage();
    const QImage& HoverImage();
    float IdleAlpha() const { return m_scheme.idleAlpha; }
    float RingAlpha() const { return m_scheme.ringAlpha; }
    float HoverAlpha() const { return m_scheme.hoverAlpha; }
    TColor TintColor() const { return m_scheme.color; }

    // What the control paints now: RingImage while both Active and Lit,
    // HoverImage while one of them, IdleImage otherwise.
    const QImage& CurrentImage();

    // The mouse entered the highlight or a member of its group, and the
    // group's popup has not been closed since.
    bool Lit() const { return m_lit; }
    // The popup window this highlight created; at most one per group.
    TPopupForm* Popup() const { return m_popup; }
    // The menu bar the highlight entered itself in, taken from the board
    // picture at the first paint.
    TMainMenu* LinkedMenu() const;
    bool Initialised() const { return m_initialised; }
    // The popup no longer closes when the mouse leaves the highlight.
    bool Pinned() const { return m_pinned; }
    // The group's popup window is the active window.
    bool Active() const { return m_active; }

    // The mouse entered or left the highlight.
    virtual void MouseEnter(RelayMarker relay);
    virtual void MouseLeave(RelayMarker relay);

    // A click on the highlight: raises OnClick, then keeps the popup open.
    // Unless the pointer clicked, the popup is pinned from the keyboard.
    virtual void Click();

    // What pinned a popup: the pointer (a click on its circle, or moving
    // into the popup from hover), or the keyboard, a menu, Previous or Next
    // or the tour, after which the user works in the popup with the keyboard.
    enum class PinnedBy {
        Pointer,
        Keyboard,
    };
    // Pins this highlight's popup and every group member's.
    void KeepPopup(PinnedBy by = PinnedBy::Keyboard);
    // Pins this highlight's own popup and gives it the keyboard focus. A
    // popup closed while the mouse rested on the highlight is shown again
    // first, as the mouse entering would; one pinned from the keyboard takes
    // the keyboard where a popup beside its circle cannot.
    void KeepOwnPopup(PinnedBy by = PinnedBy::Keyboard);
    // Records whether the group's popup is the active window and raises the
    // group above the other highlights: this one first, then the others in
    // their order. relay passes the change on to the other members.
    void SetActive(bool value, bool relay);
    void Unlight();
    // Makes the idle image again from what lies beneath the control now,
    // and the lit ones when next asked for.
    void BuildImages();

    // Where the group's popup goes on the screen, for the board and the main
    // window as they are now and a panel laid out on the main window at
    // panelLaidOut (none: a popup without a panel).
    QPoint popupPlace(std::optional<QPoint> panelLaidOut) const;
    // Shows the group's popup, creating it the first time; does nothing when
    // another member of the group (or a namesake elsewhere) made it.
    virtual void ShowPopup();
    // Closes this highlight's popup through the window's close, which runs
    // PopupClose and hides it.
    virtual void closePopup();
    // Runs as the popup window closes: unchecks the menu item, forgets that
    // the popup was entered from hover and darkens the group.
    virtual void PopupClose();
    // Enters the highlight in LinkedMenu, in the menu of its kind, creating
    // that menu before the ones that follow it and "&Help".
    virtual void RegisterMenuEntry();
    // Sets the check mark of the highlight's item in LinkedMenu.
    virtual void CheckMenuEntry(bool value);

    // Enter or Space on the focused highlight: what a click does after the
    // mouse has come in (the group's popup opens pinned, the menu item
    // checked); Escape in that popup gives the focus back here.
    void keyboardClick();
    // Puts the board's highlights in the window's focus chain in tour
    // order, so that the first Tab lands on the first of them.
    void orderTour();
    // Shows the focus ring while the highlight has the focus, as a key
    // pressed on it would.
    void showFocusCue();
    // The focus ring is painted over CurrentImage now.
    bool focusRingShown() const;

    // The highlight's menu item was chosen (Sender is the item), or Previous
    // or Next of another popup landed here (Sender is that highlight): a
    // checked item closes the group's popup, anything else opens and pins it.
    void MenuEntryClick(QObject* Sender);
    // The popup's buttons: close it and open the popup of the previous or
    // next item of the same menu, going round at the ends.
    void PreviousClick(QObject* Sender);
    void NextClick(QObject* Sender);
    void DoneClick(QObject* Sender);

protected:
    // ShowPopup records the window it made; the highlight owns it.
    void setPopup(TPopupForm* popup);
    // The popup window records that the mouse came into it from the
    // highlight while it was not pinned, so that leaving the popup closes it.
    virtual void setPopupEnteredFromHover(bool value);

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // The mouse-leave for a leave the window system reported, once the
    // entry it may have come with is known.
    void judgeLeave();
    // Runs action on each highlight that lights, pins and darkens with this
    // one, in child order, this one among them when it is exactly a
    // TBoardHighlight; on none unless the parent is exactly a TBoardImage.
    void forEachMember(const std::function<void(TBoardHighlight&)>& action) const;
    bool inGroupWith(const QObject* child) const;
    // A window that stands for the group's popup, made by another member (or
    // a namesake elsewhere): one captioned DisplayTitle whose Tag is this
    // highlight's kind.
    QWidget* findGroupPopup() const;
    // The focus to the first control of the group's popup, if shown.
    void focusGroupPopup();
    // Makes the group's popup beside the circle, with the panel in it, and
    // shows it.
    void buildPopup();
    // The top-level items of LinkedMenu captioned for this highlight's kind,
    // in bar order.
    QList<TMenuItem*> typeMenus() const;
    // Closes the popup and chooses the item step places away from this
    // highlight's own in its menu.
    void walkMenu(int step);

    HighlightPictures m_pictures;
    SetupCtrls::TintScheme m_scheme;
    SetupTypes::THighlightType m_highlightType = SetupTypes::htOptions;
    bool m_lit = false;
    QPointer<TPopupForm> m_popup;
    QString m_title;
    QString m_displayTitle;
    QString m_identTitle;
    QPointer<TMainMenu> m_linkedMenu;
    bool m_initialised = false;
    bool m_createPopup = true;
    bool m_pinned = false;
    QPointer<TRadioPanel> m_radioPanel;
    bool m_active = false;
    TNotifyEvent m_onClick;
    tk::ClickTracker m_clicks;
    // What clicks while Click runs: the pointer within mouseReleaseEvent,
    // else the keyboard, the accessibility press or the tour.
    PinnedBy m_clickPinsBy = PinnedBy::Keyboard;
    // The pointer was reported entering without having moved; it lights the
    // circle once it moves on it.
    bool m_entryAwaitsMotion = false;
    FocusCue m_focusCue;
};
