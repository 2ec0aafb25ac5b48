#include "toolkit/controls/TMenuItem.h"

#include "toolkit/app/Error.h"
#include "toolkit/app/ErrorReport.h"
#include "toolkit/controls/TMainMenu.h"

#include <QMenu>

TMenuItem::TMenuItem(QObject* parent)
    : QAction(parent)
{
    connect(this, &QAction::triggered, this, &TMenuItem::clicked);
}

TMenuItem::~TMenuItem()
{
    // The menu is this item's even when a bar or menu is its Qt parent.
    delete m_menu.data();
}

void TMenuItem::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
    setSeparator(caption == QLatin1String("-"));
}

void TMenuItem::setChecked(bool checked)
{
    if (isCheckable() && checked == m_checked)
        return;
    m_checked = checked;
    setCheckable(true);
    QAction::setChecked(checked);
}

void TMenuItem::setOnClick(const TNotifyEvent& handler)
{
    if (handler == m_onClick)
        return;
    m_onClick = handler;
}

void TMenuItem::clicked()
{
    // Qt flips a checkable action before reporting the trigger; here the
    // handler alone decides the mark, as it did under Windows.
    if (isCheckable() && isChecked() != m_checked)
        QAction::setChecked(m_checked);
    tk::guarded([this] { m_onClick(this); });
}

QList<TMenuItem*> TMenuItem::items() const
{
    QList<TMenuItem*> result;
    if (m_menu)
        for (QAction* action : m_menu->actions())
            if (auto* item = qobject_cast<TMenuItem*>(action))
                result.append(item);
    return result;
}

void TMenuItem::add(TMenuItem* item)
{
    Q_ASSERT(item && item != this);
    QMenu* menu = ensureMenu();
    item->m_container = menu;
    menu->addAction(item);
}

void TMenuItem::insert(int index, TMenuItem* item)
{
    Q_ASSERT(item && item != this);
    const QList<TMenuItem*> current = items();
    if (index < 0 || index > current.size())
        throw tk::Error(QStringLiteral("menu index %1 is out of range 0..%2").arg(index).arg(current.size()));
    QMenu* menu = ensureMenu();
    item->m_container = menu;
    menu->insertAction(index < current.size() ? current.at(index) : nullptr, item);
}

void TMenuItem::attachTo(TMainMenu* bar)
{
    m_container = bar;
    ensureMenu();
}

QMenu* TMenuItem::ensureMenu()
{
    if (!m_menu) {
        m_menu = new QMenu(m_container.data());
        QAction::setMenu(m_menu.data());
    }
    return m_menu;
}
