#pragma once
// Partners are found by exact class, never by inheritance: a class derived
// from TBoardImage is not a TBoardImage for groups, relays and menus.

#include <QObject>

namespace tk {

template <class T>
bool isExactly(const QObject* object)
{
    return object && object->metaObject() == &T::staticMetaObject;
}

template <class T>
T* exactCast(QObject* object)
{
    return isExactly<T>(object) ? static_cast<T*>(object) : nullptr;
}

}
