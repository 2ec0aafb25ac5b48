#pragma once
// An optional event handler (an object and one of its methods, called with
// the sender), as a form description binds it by name or code binds it
// directly. Raising an unassigned event does nothing.

#include <QByteArray>
#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <functional>

class TNotifyEvent {
public:
    TNotifyEvent() = default;

    // Binds a method "name(QObject*)" of object, found through its meta-object
    // (a public slot or Q_INVOKABLE). Throws tk::Error when there is none.
    static TNotifyEvent byName(QObject* object, const QByteArray& name);

    template <class T>
    static TNotifyEvent bind(T* object, void (T::*method)(QObject*))
    {
        TNotifyEvent e;
        e.m_object = object;
        e.m_hasObject = true;
        e.m_identity = newIdentity();
        e.m_call = [object, method](QObject* sender) { (object->*method)(sender); };
        return e;
    }

    // A handler without an object of its own (tests, small adapters).
    static TNotifyEvent fromFunction(std::function<void(QObject*)> f);

    bool assigned() const { return bool(m_call) && (!m_hasObject || m_object); }
    explicit operator bool() const { return assigned(); }

    QObject* object() const { return m_object; }
    const QByteArray& methodName() const { return m_name; }

    // Calls the handler if assigned; exceptions propagate to the dispatch point.
    void operator()(QObject* sender) const;

    // Same handler: same object and method name, or the very same binding.
    bool operator==(const TNotifyEvent& other) const;

private:
    static quintptr newIdentity();

    QPointer<QObject> m_object;
    bool m_hasObject = false;
    QByteArray m_name;
    std::function<void(QObject*)> m_call;
    quintptr m_identity = 0;
};

Q_DECLARE_METATYPE(TNotifyEvent)
