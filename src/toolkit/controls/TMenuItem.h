#pragma once
// An entry of a main menu or of another item's menu. Its caption is shown
// exactly as set ('&' marks the access key), its check mark changes only
// when code sets Checked, and OnClick reports the user's choice.

#include "toolkit/app/TNotifyEvent.h"

#include <QAction>
#include <QList>
#include <QPointer>

class QMenu;
class TMainMenu;

class TMenuItem : public QAction {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)
    Q_PROPERTY(TNotifyEvent OnClick READ onClick WRITE setOnClick)

public:
    explicit TMenuItem(QObject* parent = nullptr);
    ~TMenuItem() override;

    QString caption() const { return text(); }
    // "-" makes the item a separator line.
    void setCaption(const QString& caption);

    // Setting either value shows the item with a check mark box.
    void setChecked(bool checked);

    const TNotifyEvent& onClick() const { return m_onClick; }
    void setOnClick(const TNotifyEvent& handler);

    // The item's submenu; a top-level item of a bar always has one, any
    // other gets it with its first subitem.
    QMenu* menu() const { return m_menu; }

    // The subitems in menu order.
    QList<TMenuItem*> items() const;
    // Appends a subitem to this item's menu.
    void add(TMenuItem* item);
    // Inserts a subitem before the one at index, or appends it when index is
    // the subitem count; any other index throws tk::Error.
    void insert(int index, TMenuItem* item);

private:
    friend class TMainMenu;

    void attachTo(TMainMenu* bar);
    QMenu* ensureMenu();
    void clicked();

    // The bar or menu showing this item: the parent of its own menu.
    QPointer<QWidget> m_container;
    QPointer<QMenu> m_menu;
    bool m_checked = false;
    TNotifyEvent m_onClick;
};
