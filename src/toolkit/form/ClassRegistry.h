#pragma once
// The classes a form description may create, by exact class name.

#include <QMainWindow>
#include <QMetaObject>
#include <QObject>
#include <QScrollArea>
#include <QWidget>
#include <functional>
#include <type_traits>

namespace tk {

// Creates a component for the description. owner is the description's root
// (the form); parent is the enclosing object in the description. The factory
// attaches the new object to parent as its kind requires (a widget becomes a
// child widget, a menu item joins its menu); the loader then makes owner its
// owner (tk::setOwner) and names it.
using ComponentFactory = std::function<QObject*(QObject* owner, QObject* parent)>;

struct RegisteredClass {
    const QMetaObject* metaObject = nullptr;
    ComponentFactory create;
};

void registerClass(const QMetaObject* metaObject, ComponentFactory factory);
const RegisteredClass* findClass(const QString& className);

// The widget that holds a container's child controls: a main window's
// client area (its central widget, or the page that a central scroll area
// holds), any other widget itself.
inline QWidget* clientArea(QObject* container)
{
    QWidget* widget = qobject_cast<QWidget*>(container);
    if (auto* window = qobject_cast<QMainWindow*>(widget); window && window->centralWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(window->centralWidget()); area && area->widget())
            return area->widget();
        return window->centralWidget();
    }
    return widget;
}

// The default factory: a widget class is built as T(client area of parent),
// anything else as T(parent).
template <class T>
void registerClass()
{
    registerClass(&T::staticMetaObject, [](QObject*, QObject* parent) -> QObject* {
        if constexpr (std::is_base_of_v<QWidget, T>)
            return new T(clientArea(parent));
        else
            return new T(parent);
    });
}

}
