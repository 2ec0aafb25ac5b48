#pragma once
// Component ownership as the application sees it, which is not Qt's parent:
// an owner lists its components (without owning them in Qt's sense), names
// are unique within an owner, and a component can be found by name in its
// owner without recursing into children. A panel that moves into a popup
// window leaves the main window's Qt tree yet stays the main window's
// component.

#include <QList>
#include <QObject>
#include <QString>

namespace tk {

// Adds component to owner's list (removing it from any previous owner's).
// The component keeps its objectName as its component name.
void setOwner(QObject* component, QObject* owner);
QObject* ownerOf(const QObject* component);
QList<QObject*> components(const QObject* owner);

// The owner's component with that exact name, or nullptr.
QObject* findComponent(const QObject* owner, const QString& name);

// stem followed by the smallest number from 1 that no component of owner
// carries yet ("Settings1", "OutputVoltageRangeJumpers1").
QString uniqueName(const QObject* owner, const QString& stem);

}
