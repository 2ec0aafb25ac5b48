#pragma once
// An optional event handler: an object and one of its methods, or a bare
// function, called with the raising component as Sender and the event's own
// arguments. Raising an unassigned event does nothing and gives an empty
// result.

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <utility>

template <class Signature>
class TEvent;

template <class R, class... Args>
class TEvent<R(QObject*, Args...)> {
public:
    using Handler = std::function<R(QObject* Sender, Args...)>;

    TEvent() = default;

    template <class T>
    static TEvent bind(T* object, R (T::*method)(QObject*, Args...))
    {
        return TEvent(object, true, [object, method](QObject* sender, Args... args) {
            return (object->*method)(sender, std::forward<Args>(args)...);
        });
    }

    // A handler without an object of its own (tests, small adapters).
    static TEvent fromFunction(Handler f) { return TEvent(nullptr, false, std::move(f)); }

    // A handler bound to an object that has since been destroyed counts as
    // unassigned.
    bool assigned() const { return bool(m_call) && (!m_hasObject || m_object); }
    explicit operator bool() const { return assigned(); }

    QObject* object() const { return m_object; }

    // Calls the handler if assigned; exceptions propagate to the dispatch
    // point. Unassigned, it leaves every argument as it is.
    R operator()(QObject* Sender, Args... args) const
    {
        if (!assigned())
            return R();
        return m_call(Sender, std::forward<Args>(args)...);
    }

    // The very same binding, copied; two bindings made apart differ.
    bool operator==(const TEvent& other) const { return m_identity == other.m_identity; }

protected:
    bool hasHandler() const { return bool(m_call); }

    // hasObject: the handler belongs to object and is unassigned without it.
    TEvent(QObject* object, bool hasObject, Handler call)
        : m_object(object)
        , m_hasObject(hasObject)
        , m_call(std::move(call))
        , m_identity(m_call ? newIdentity() : 0)
    {
    }

private:
    static quintptr newIdentity()
    {
        static std::atomic<quintptr> counter { 1 };
        return counter++;
    }

    QPointer<QObject> m_object;
    bool m_hasObject = false;
    Handler m_call;
    quintptr m_identity = 0;
};
