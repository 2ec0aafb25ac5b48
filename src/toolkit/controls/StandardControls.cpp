#include "toolkit/controls/StandardControls.h"

#include "toolkit/app/Error.h"
#include "toolkit/controls/TComboBox.h"
#include "toolkit/controls/TImage.h"
#include "toolkit/controls/TLabel.h"
#include "toolkit/controls/TMainMenu.h"
#include "toolkit/controls/TMenuItem.h"
#include "toolkit/controls/TRadioButton.h"
#include "toolkit/form/ClassRegistry.h"

#include <QMainWindow>

namespace tk {
namespace {

    QObject* createMainMenu(QObject*, QObject* parent)
    {
        auto* widget = qobject_cast<QWidget*>(parent);
        if (!widget)
            throw Error(QStringLiteral("a TMainMenu belongs on a window"));
        auto* bar = new TMainMenu(widget);
        if (auto* window = qobject_cast<QMainWindow*>(widget))
            window->setMenuBar(bar);
        return bar;
    }

    // Items belong to the form, whichever menu shows them.
    QObject* createMenuItem(QObject* owner, QObject* parent)
    {
        auto* bar = qobject_cast<TMainMenu*>(parent);
        auto* parentItem = qobject_cast<TMenuItem*>(parent);
        if (!bar && !parentItem)
            throw Error(QStringLiteral("a TMenuItem belongs in a TMainMenu or in another TMenuItem"));
        auto* item = new TMenuItem(owner);
        if (bar)
            bar->insertItem(int(bar->items().size()), item);
        else
            parentItem->add(item);
        return item;
    }

}

void registerStandardClasses()
{
    static const bool done = [] {
        registerClass<TLabel>();
        registerClass<TRadioButton>();
        registerClass<TComboBox>();
        registerClass<TImage>();
        registerClass(&TMainMenu::staticMetaObject, createMainMenu);
        registerClass(&TMenuItem::staticMetaObject, createMenuItem);
        return true;
    }();
    Q_UNUSED(done);
}

}
