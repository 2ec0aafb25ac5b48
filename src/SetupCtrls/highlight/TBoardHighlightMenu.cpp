// TBoardHighlight's entry in the menu bar: registering it, its check mark,
// choosing it, and the walk of Previous and Next through its menu.

#include "SetupCtrls/highlight/TBoardHighlight.h"

#include "SetupCtrls/rules/HighlightMenuRules.h"
#include "toolkit/form/Components.h"

using namespace SetupCtrls;

QList<TMenuItem*> TBoardHighlight::typeMenus() const
{
    QList<TMenuItem*> menus;
    if (!m_linkedMenu)
        return menus;
    const QString caption = menuCaption(m_highlightType);
    for (TMenuItem* item : m_linkedMenu->items())
        if (item->caption() == caption)
            menus.append(item);
    return menus;
}

void TBoardHighlight::RegisterMenuEntry()
{
    TMainMenu* bar = m_linkedMenu;
    if (!bar)
        return;
    // The items belong to the form that owns the bar, as if they had been
    // part of its description.
    QObject* owner = tk::ownerOf(bar);
    QObject* holder = owner ? owner : bar;

    TMenuItem* menu = typeMenus().value(0);
    if (menu) {
        for (const TMenuItem* item : menu->items())
            if (item->caption() == m_title)
                return;
    } else {
        QStringList barCaptions;
        for (const TMenuItem* item : bar->items())
            barCaptions.append(item->caption());
        menu = new TMenuItem(holder);
        menu->setObjectName(tk::uniqueName(owner, menuStem(m_highlightType)));
        tk::setOwner(menu, owner);
        menu->setCaption(menuCaption(m_highlightType));
        bar->insertItem(int(menuInsertIndex(m_highlightType, barCaptions)), menu);
    }
    if (m_title.isEmpty())
        return;

    auto* item = new TMenuItem(holder);
    item->setObjectName(tk::uniqueName(owner, menuItemStem(m_identTitle)));
    tk::setOwner(item, owner);
    item->setCaption(m_title);
    item->setOnClick(TNotifyEvent::bind(this, &TBoardHighlight::MenuEntryClick));
    menu->add(item);
}

void TBoardHighlight::CheckMenuEntry(bool value)
{
    for (TMenuItem* menu : typeMenus()) {
        for (TMenuItem* item : menu->items()) {
            if (item->caption() == m_title) {
                item->setChecked(value);
                return;
            }
        }
    }
}

void TBoardHighlight::MenuEntryClick(QObject* Sender)
{
    // The item's mark is as it was before the click: the item leaves it to
    // this handler.
    auto* item = qobject_cast<TMenuItem*>(Sender);
    if (item && item->isChecked()) {
        if (m_popup) {
            closePopup();
            return;
        }
        forEachMember([Sender](TBoardHighlight& member) {
            if (member.Popup())
                member.MenuEntryClick(Sender);
        });
        return;
    }
    MouseEnter(RelayMarker::Direct);
    KeepPopup(PinnedBy::Keyboard);
    focusGroupPopup();
    MouseLeave(RelayMarker::Direct);
}

void TBoardHighlight::walkMenu(int step)
{
    for (TMenuItem* menu : typeMenus()) {
        const QList<TMenuItem*> items = menu->items();
        qsizetype own = -1;
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (items.at(i)->caption() == m_title) {
                own = i;
                break;
            }
        }
        if (own < 0)
            continue;
        // Items that no highlight put there (a separator, say) are passed
        // over; in a menu of one the walk comes back to this item.
        const qsizetype count = items.size();
        TMenuItem* target = nullptr;
        for (qsizetype k = 1; k <= count && !target; ++k) {
            TMenuItem* candidate = items.at(wrappedIndex(own + step * k, count));
            if (candidate->onClick().assigned())
                target = candidate;
        }
        closePopup();
        if (target)
            target->onClick()(this);
        return;
    }
}

void TBoardHighlight::PreviousClick(QObject*)
{
    walkMenu(-1);
}

void TBoardHighlight::NextClick(QObject*)
{
    walkMenu(1);
}
