#pragma once
// The plain event, called with the sender alone, as a form description binds
// it by name or code binds it directly.

#include "toolkit/app/TEvent.h"

#include <QByteArray>
#include <QMetaType>

class TNotifyEvent : public TEvent<void(QObject*)> {
public:
    TNotifyEvent() = default;
    // What bind and fromFunction make.
    TNotifyEvent(const TEvent& event)
        : TEvent(event)
    {
    }

    // Binds a method "name(QObject*)" of object, found through its meta-object
    // (a public slot or Q_INVOKABLE). Throws tk::Error when there is none.
    static TNotifyEvent byName(QObject* object, const QByteArray& name);

    const QByteArray& methodName() const { return m_name; }

    // Same handler: same object and method name, or the very same binding.
    bool operator==(const TNotifyEvent& other) const;

private:
    TNotifyEvent(QObject* object, const QByteArray& name, Handler call)
        : TEvent(object, true, std::move(call))
        , m_name(name)
    {
    }

    QByteArray m_name;
};

Q_DECLARE_METATYPE(TNotifyEvent)
