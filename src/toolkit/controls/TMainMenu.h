#pragma once
// A form's menu bar: its top-level items are TMenuItems, each with its menu.

#include <QList>
#include <QMenuBar>

class TMenuItem;

class TMainMenu : public QMenuBar {
    Q_OBJECT

public:
    explicit TMainMenu(QWidget* parent = nullptr);

    // The top-level items in the order the bar shows them.
    QList<TMenuItem*> items() const;

    // Inserts before the item at index, or appends when index is the item
    // count; any other index throws tk::Error. The item gets its menu.
    void insertItem(int index, TMenuItem* item);
};
