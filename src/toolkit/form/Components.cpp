#include "toolkit/form/Components.h"

#include <QHash>
#include <QPointer>

namespace tk {
namespace {

    struct Table {
        QHash<const QObject*, QPointer<QObject>> ownerOf;
        QHash<const QObject*, QList<QPointer<QObject>>> componentsOf;
    };

    Table& table()
    {
        static Table t;
        return t;
    }

    void forget(const QObject* object)
    {
        Table& t = table();
        if (auto it = t.ownerOf.find(object); it != t.ownerOf.end()) {
            if (QObject* owner = it->data())
                t.componentsOf[owner].removeIf([object](const QPointer<QObject>& p) { return p == object || !p; });
            t.ownerOf.erase(it);
        }
        t.componentsOf.remove(object);
    }

}

void setOwner(QObject* component, QObject* owner)
{
    Q_ASSERT(component);
    Table& t = table();
    if (ownerOf(component) == owner)
        return;
    if (QObject* previous = ownerOf(component))
        t.componentsOf[previous].removeIf([component](const QPointer<QObject>& p) { return p == component || !p; });
    if (!t.ownerOf.contains(component))
        QObject::connect(component, &QObject::destroyed, [component] { forget(component); });
    t.ownerOf[component] = owner;
    if (owner) {
        if (!t.componentsOf.contains(owner))
            QObject::connect(owner, &QObject::destroyed, [owner] { table().componentsOf.remove(owner); });
        t.componentsOf[owner].append(component);
    }
}

QObject* ownerOf(const QObject* component)
{
    return table().ownerOf.value(component);
}

QList<QObject*> components(const QObject* owner)
{
    QList<QObject*> result;
    for (const QPointer<QObject>& p : table().componentsOf.value(owner))
        if (p)
            result.append(p.data());
    return result;
}

QObject* findComponent(const QObject* owner, const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    for (const QPointer<QObject>& p : table().componentsOf.value(owner))
        if (p && p->objectName() == name)
            return p.data();
    return nullptr;
}

QString uniqueName(const QObject* owner, const QString& stem)
{
    for (int n = 1;; ++n) {
        const QString candidate = stem + QString::number(n);
        if (!findComponent(owner, candidate))
            return candidate;
    }
}

}
