#pragma once
// What must hold on the board page whatever a user did to it, for the tests
// that let a user loose on it: it starts the program's main window and, after
// each thing the user does, names the first rule the page breaks. Where the
// pointer is and which window lies under it come from the test, since the
// offscreen platform knows neither and a real display knows both.

#include "TestMain.h"
#include "template/PageTable.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TPopupForm.h"
#include "SetupCtrls/popup/TRadioPanel.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "SetupCtrls/support/THelpForm.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/TMainForm.h"
#include "toolkit/controls/TComboBox.h"
#include "toolkit/controls/TMainMenu.h"
#include "toolkit/controls/TMenuItem.h"
#include "toolkit/controls/TRadioButton.h"

#include <QApplication>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

namespace testing {

// A seeded run's setting from the environment, or fallback when unset.
inline int envNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// A point inside rect, placed by the two halves of b.
inline QPoint pointIn(QRect rect, quint32 b)
{
    const int x = rect.left() + int((b & 0xFFFF) % quint32(qMax(1, rect.width())));
    const int y = rect.top() + int((b >> 16) % quint32(qMax(1, rect.height())));
    return { x, y };
}

// A run's steps as one line that the replay variable reads back.
template <class Step>
QString join(const QList<Step>& steps)
{
    QStringList words;
    for (const Step& step : steps)
        words.append(step.text());
    return words.join(u' ');
}

struct Failure {
    int at = -1; // index of the event after which it was found
    QString rule; // which rule broke
    QString detail;
    bool failed() const { return at >= 0; }
};

// Where the user's pointer is, as the test that moves it knows it.
struct PointerView {
    std::function<QPoint()> pos;
    // The window whose client area is on top there; nullptr over a frame
    // or the bare screen.
    std::function<QWidget*(QPoint)> windowAt;
    // Runs what is queued until the page is quiet.
    std::function<void()> settle;
};

class PageModel {
public:
    // Makes the main window, not yet shown.
    explicit PageModel(PointerView pointer)
        : m_pointer(std::move(pointer))
    {
        shownBoxes().clear();
        m_before = QApplication::topLevelWidgets();
        m_form = std::make_unique<TMainForm>();
        m_board = part<TBoardImage>("BoardImage1");
        m_supporter = part<TSetupSupporter>("SetSup");
        m_combo = part<TComboBox>("ComboBox1");
        m_range = part<TThreeJumper>("RangeJumper");
        m_polarity = part<TThreeJumper>("PolarityJumper");
        m_power = part<TThreeJumper>("BusPowerJumper");
        m_busRadio = part<TRadioButton>("BusPowerRadio");
        m_extRadio = part<TRadioButton>("ExtPowerRadio");
        m_bar = part<TMainMenu>("MainMenu1");
        for (QObject* child : m_board->children())
            if (auto* h = qobject_cast<TBoardHighlight*>(child))
                m_highlights.append(h);
    }

    ~PageModel()
    {
        // A run that ends early leaves the program as it was: its windows go
        // with the main window.
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        m_form.reset();
        m_pointer.settle();
    }

    PageModel(const PageModel&) = delete;
    PageModel& operator=(const PageModel&) = delete;

    // Waits for the program's greeting, once the main window is shown: the
    // circles have painted and entered their menus, and the help dialog has
    // come up by itself. False when it did not come within timeoutMs.
    bool waitForGreeting(int timeoutMs = 5000)
    {
        const bool greeted = waitIdling(
            [this] {
                if (!m_supporter->HelpForm() || !m_supporter->HelpForm()->isVisible())
                    return false;
                return std::all_of(m_highlights.begin(), m_highlights.end(), [](auto* h) { return h->Initialised(); });
            },
            timeoutMs);
        m_pointer.settle();
        for (TBoardHighlight* h : m_highlights) {
            auto same = std::find_if(m_groups.begin(), m_groups.end(),
                [h](const Group& g) { return g.title == h->Title() && g.type == h->HighlightType(); });
            if (same == m_groups.end()) {
                m_groups.append({ h->Title(), h->HighlightType(), {}, h->RadioPanel(), itemFor(h), {}, false });
                same = m_groups.end() - 1;
            }
            same->members.append(h);
        }
        m_tops = QApplication::topLevelWidgets();
        trackWindows();
        return greeted;
    }

    TMainForm* form() const { return m_form.get(); }
    TBoardImage* board() const { return m_board; }
    TSetupSupporter* supporter() const { return m_supporter; }
    TComboBox* combo() const { return m_combo; }
    TMainMenu* bar() const { return m_bar; }
    const QList<TBoardHighlight*>& highlights() const { return m_highlights; }

    template <class T>
    T* part(const char* name) const
    {
        return qobject_cast<T*>(m_form->component(QString::fromLatin1(name)));
    }

    // The program was told to end (File, Exit or the main window's close
    // box): the next check expects it gone.
    void exitAsked() { m_exited = true; }
    bool ended() const { return !m_form; }

    // What must hold now; the first rule broken, if any. did says what the
    // last event came to and learns when it ended the program.
    Failure check(QString& did)
    {
        Failure f;
        const auto fail = [&f](const char* rule, const QString& detail) {
            if (!f.failed()) {
                f.at = 0;
                f.rule = QString::fromLatin1(rule);
                f.detail = detail;
            }
        };

        if (!shownBoxes().isEmpty())
            fail("no error", QStringLiteral("an error was reported: \"%1\"").arg(shownBoxes().first().text));
        // Once the program has ended there is nothing of it left to check,
        // however often a wait asks.
        if (ended())
            return f;

        m_tops = QApplication::topLevelWidgets();
        trackWindows();
        for (const auto& [window, windowName] : m_windows)
            if (!window)
                fail("windows live as long as the main window", windowName + QStringLiteral(" was destroyed"));

        // File, Exit from the keyboard (Alt+F, E) ends the run as well.
        if (!m_exited && !m_form->isVisible()) {
            m_exited = true;
            did += QStringLiteral(" (the program ends)");
        }
        if (m_exited) {
            checkExit(did, fail);
            return f;
        }

        // The board settings: the selected range is the one the jumpers
        // give, the polarity jumper is never open, and the power jumper and
        // the two radio buttons agree.
        const int index = m_combo->itemIndex();
        if (index >= 0 && index < int(kRanges.size())) {
            const RangeRow& row = kRanges.at(std::size_t(index));
            if (m_range->JumperState() != row.range || m_polarity->JumperState() != row.polarity)
                fail("range", QStringLiteral("\"%1\" selected, jumpers %2 and %3").arg(QString::fromLatin1(row.text)).arg(int(m_range->JumperState())).arg(int(m_polarity->JumperState())));
        } else if (index != -1) {
            fail("range", QStringLiteral("item %1 selected").arg(index));
        }
        if (m_polarity->JumperState() == SetupTypes::jsOpen)
            fail("range", QStringLiteral("the polarity jumper is open"));
        if (m_busRadio->isChecked() == m_extRadio->isChecked())
            fail("power", QStringLiteral("both radio buttons %1").arg(m_busRadio->isChecked() ? "selected" : "clear"));
        if (m_power->JumperState() == SetupTypes::jsOpen)
            fail("power", QStringLiteral("the power jumper is open"));
        if (m_busRadio->isChecked() != (m_power->JumperState() == SetupTypes::jsRight))
            fail("power", QStringLiteral("USB Bus Powered %1, power jumper %2").arg(m_busRadio->isChecked() ? "selected" : "clear").arg(int(m_power->JumperState())));

        for (Group& g : m_groups)
            checkGroup(g, fail);
        return f;
    }

    QString name(const QWidget* w) const
    {
        if (!w)
            return QStringLiteral("nothing");
        if (auto* popup = qobject_cast<const TPopupForm*>(w))
            return QStringLiteral("the popup \"%1\"").arg(popup->windowTitle());
        if (w == m_form.get())
            return QStringLiteral("the main window");
        if (!w->objectName().isEmpty())
            return w->objectName();
        if (w->isWindow() && !w->windowTitle().isEmpty())
            return QStringLiteral("\"%1\"").arg(w->windowTitle());
        return QString::fromLatin1(w->metaObject()->className());
    }

    QString focusName() const
    {
        QWidget* focus = QApplication::focusWidget();
        return focus ? name(focus) + QStringLiteral(" in ") + name(focus->window()) : QStringLiteral("no window");
    }

    // What lies under global, for the report of a move.
    QString nameAt(QPoint global) const
    {
        QWidget* window = m_pointer.windowAt(global);
        QWidget* under = window ? window->childAt(window->mapFromGlobal(global)) : nullptr;
        return window ? name(under ? under : window) : QStringLiteral("a frame or the desktop");
    }

private:
    // The highlights that light, pin and darken together: same parent,
    // title and kind.
    struct Group {
        QString title;
        SetupTypes::THighlightType type;
        QList<QPointer<TBoardHighlight>> members;
        QPointer<TRadioPanel> panel;
        QPointer<TMenuItem> item;
        // The popup the panel went into when the group first popped up.
        QPointer<TPopupForm> panelHome;
        bool panelMoved = false;
    };

    static QString menuCaptionOf(SetupTypes::THighlightType type)
    {
        switch (type) {
        case SetupTypes::htOptions:
            return QStringLiteral("&Options");
        case SetupTypes::htSettings:
            return QStringLiteral("&Settings");
        case SetupTypes::htCalibration:
            return QStringLiteral("&Calibration");
        }
        return {};
    }

    template <class Fail>
    void checkGroup(Group& g, const Fail& fail)
    {
        QList<TPopupForm*> popups;
        TBoardHighlight* owner = nullptr;
        for (const auto& member : g.members) {
            if (member && member->Popup()) {
                popups.append(member->Popup());
                owner = member;
            }
        }
        int windows = 0;
        for (QWidget* w : m_tops)
            if (auto* p = qobject_cast<TPopupForm*>(w); p && p->windowTitle() == displayTitle(g) && p->Tag() == int(g.type))
                ++windows;
        if (popups.size() > 1 || windows > 1)
            fail("one popup per group", QStringLiteral("%1 has %2 popups").arg(g.title).arg(qMax(popups.size(), qsizetype(windows))));
        TPopupForm* popup = popups.value(0);
        const bool shown = popup && popup->isVisible();
        const bool pinned = shown && owner->Pinned();

        if (g.item && g.item->isChecked() != pinned)
            fail("menu item checked while pinned", QStringLiteral("\"%1\" is %2 while its popup is %3").arg(g.title, g.item->isChecked() ? "checked" : "clear", shown ? (pinned ? "pinned" : "hovered") : "closed"));
        for (const auto& member : g.members)
            if (member && member->Lit() != shown)
                fail("lit while shown", QStringLiteral("%1 is %2 while the popup of %3 is %4").arg(member->objectName(), member->Lit() ? "lit" : "dark", g.title, shown ? "shown" : "closed"));
        const bool active = shown && popup->isActiveWindow();
        for (const auto& member : g.members)
            if (member && member->Active() != active)
                fail("ring while active", QStringLiteral("%1 is %2 while the popup of %3 is %4").arg(member->objectName(), member->Active() ? "active" : "inactive", g.title, active ? "the active window" : "not active"));

        // While the popup's own drop-down list is open the list has the
        // mouse; the popup looks where it is once the list has closed.
        const QPoint pos = m_pointer.pos();
        bool ownListOpen = false;
        for (QWidget* w = QApplication::activePopupWidget(); w && popup; w = w->parentWidget())
            ownListOpen = ownListOpen || w == popup;
        if (popup && popup->EnteredFromHover() && !ownListOpen) {
            if (!pinned)
                fail("entered from hover only while pinned", QStringLiteral("the popup of %1 is %2").arg(g.title, shown ? "hovered" : "closed"));
            else if (!popup->frameGeometry().contains(pos))
                fail("a popup pinned from hover closes when the mouse leaves it", QStringLiteral("the popup of %1 at %2,%3 %4x%5 is open with the mouse at %6,%7").arg(g.title).arg(popup->frameGeometry().x()).arg(popup->frameGeometry().y()).arg(popup->frameGeometry().width()).arg(popup->frameGeometry().height()).arg(pos.x()).arg(pos.y()));
        }
        // Hovered, the popup stays only while the mouse is on a member
        // (not while a menu or list holds the mouse: the popup looks again
        // once it lets go).
        QWidget* pointed = m_pointer.windowAt(pos) == m_form.get() ? m_form->childAt(m_form->mapFromGlobal(pos)) : nullptr;
        if (shown && !pinned && !QApplication::activePopupWidget()
            && !std::any_of(g.members.begin(), g.members.end(), [pointed](const auto& m) { return m && m == pointed; }))
            fail("a hovered popup closes when the mouse leaves its circle", QStringLiteral("the popup of %1 is open, hovered, with the mouse at %2,%3 over %4").arg(g.title).arg(pos.x()).arg(pos.y()).arg(nameAt(pos)));

        if (!g.panel)
            return;
        auto* home = qobject_cast<TPopupForm*>(g.panel->parentWidget());
        if (home) {
            if (!g.panelMoved) {
                g.panelMoved = true;
                g.panelHome = home;
            }
            if (home != g.panelHome)
                fail("a panel stays in its popup", QStringLiteral("%1 moved from one popup to another").arg(g.panel->objectName()));
            if (home != popup)
                fail("a panel stays in its popup", QStringLiteral("%1 is not in the popup of %2").arg(g.panel->objectName(), g.title));
        } else {
            if (g.panelMoved)
                fail("a panel stays in its popup", QStringLiteral("%1 left its popup").arg(g.panel->objectName()));
            if (popup)
                fail("a panel stays in its popup", QStringLiteral("%1 is not in the popup of %2").arg(g.panel->objectName(), g.title));
        }
        if (g.panel->isVisible() != shown)
            fail("a panel shows with its popup", QStringLiteral("%1 is %2 while the popup of %3 is %4").arg(g.panel->objectName(), g.panel->isVisible() ? "visible" : "hidden", g.title, shown ? "shown" : "closed"));
    }

    static QString displayTitle(const Group& g)
    {
        QString caption = g.title;
        return caption.remove(u'&');
    }

    template <class Fail>
    void checkExit(const QString& did, const Fail& fail)
    {
        if (m_form->isVisible()) {
            fail("File, Exit and the close box end the program", QStringLiteral("the main window is still shown after %1").arg(did));
            return;
        }
        // The program returns from its loop and the main window goes, with
        // every window it owns.
        QList<QPair<QPointer<QWidget>, QString>> windows = m_windows;
        m_form.reset();
        m_pointer.settle();
        for (const auto& [window, windowName] : windows)
            if (window)
                fail("windows go with the main window", windowName + QStringLiteral(" outlived the main window"));
    }

    TMenuItem* itemFor(const TBoardHighlight* h) const
    {
        for (TMenuItem* menu : m_bar->items())
            if (menu->caption() == menuCaptionOf(h->HighlightType()))
                for (TMenuItem* item : menu->items())
                    if (item->caption() == h->Title())
                        return item;
        return nullptr;
    }

    // Every window the program has made since it started, by name; none of
    // them may go before the main window does.
    void trackWindows()
    {
        for (QWidget* w : m_tops) {
            if (m_before.contains(w) || w == m_form.get())
                continue;
            if (std::any_of(m_windows.begin(), m_windows.end(), [w](const auto& t) { return t.first == w; }))
                continue;
            m_windows.append({ w, name(w) });
        }
    }

    PointerView m_pointer;
    QList<QWidget*> m_before;
    // The top-level windows as the last check found them.
    QWidgetList m_tops;
    std::unique_ptr<TMainForm> m_form;
    TBoardImage* m_board = nullptr;
    TSetupSupporter* m_supporter = nullptr;
    TComboBox* m_combo = nullptr;
    TThreeJumper* m_range = nullptr;
    TThreeJumper* m_polarity = nullptr;
    TThreeJumper* m_power = nullptr;
    TRadioButton* m_busRadio = nullptr;
    TRadioButton* m_extRadio = nullptr;
    TMainMenu* m_bar = nullptr;
    QList<TBoardHighlight*> m_highlights;
    QList<Group> m_groups;
    QList<QPair<QPointer<QWidget>, QString>> m_windows;
    bool m_exited = false;
};

}
