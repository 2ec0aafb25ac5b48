#include "toolkit/controls/TMainMenu.h"

#include "toolkit/app/Error.h"
#include "toolkit/controls/TMenuItem.h"

TMainMenu::TMainMenu(QWidget* parent)
    : QMenuBar(parent)
{
    // The bar belongs to the form on every platform, drawn by Qt itself.
    setNativeMenuBar(false);
}

QList<TMenuItem*> TMainMenu::items() const
{
    QList<TMenuItem*> result;
    for (QAction* action : actions())
        if (auto* item = qobject_cast<TMenuItem*>(action))
            result.append(item);
    return result;
}

void TMainMenu::insertItem(int index, TMenuItem* item)
{
    Q_ASSERT(item);
    const QList<TMenuItem*> current = items();
    if (index < 0 || index > current.size())
        throw tk::Error(QStringLiteral("menu index %1 is out of range 0..%2").arg(index).arg(current.size()));
    item->attachTo(this);
    insertAction(index < current.size() ? current.at(index) : nullptr, item);
}
