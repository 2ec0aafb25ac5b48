#include "toolkit/form/ClassRegistry.h"

#include <unordered_map>

namespace tk {
namespace {

    struct NameHash {
        size_t operator()(const QString& name) const { return qHash(name); }
    };

    // Node-based, so a RegisteredClass handed out by findClass stays valid
    // while more classes register.
    std::unordered_map<QString, RegisteredClass, NameHash>& registry()
    {
        static std::unordered_map<QString, RegisteredClass, NameHash> classes;
        return classes;
    }

}

void registerClass(const QMetaObject* metaObject, ComponentFactory factory)
{
    Q_ASSERT(metaObject && factory);
    RegisteredClass& entry = registry()[QString::fromLatin1(metaObject->className())];
    entry.metaObject = metaObject;
    entry.create = std::move(factory);
}

const RegisteredClass* findClass(const QString& className)
{
    const auto it = registry().find(className);
    return it == registry().end() ? nullptr : &it->second;
}

}
