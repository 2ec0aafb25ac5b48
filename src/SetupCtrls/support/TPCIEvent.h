#pragma once
// The setup supporter's request for the one-line description of an
// installed card: an optional method of the owner taking (Sender, CardIndex,
// 0-based) and returning the text, empty when there is nothing to show.

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class TPCIEvent {
public:
    using Handler = std::function<QString(QObject* Sender, int CardIndex)>;

    TPCIEvent() = default;

    template <class T>
    static TPCIEvent bind(T* object, QString (T::*method)(QObject*, int))
    {
        TPCIEvent e;
        e.m_object = object;
        e.m_hasObject = true;
        e.m_call = [object, method](QObject* sender, int cardIndex) { return (object->*method)(sender, cardIndex); };
        return e;
    }

    // A handler without an object of its own (tests, small adapters).
    static TPCIEvent fromFunction(Handler f)
    {
        TPCIEvent e;
        e.m_call = std::move(f);
        return e;
    }

    // A handler bound to an object that has since been destroyed counts as
    // unassigned.
    bool assigned() const { return bool(m_call) && (!m_hasObject || m_object); }
    explicit operator bool() const { return assigned(); }

    // The handler's text, or an empty one when unassigned; exceptions
    // propagate to the dispatch point.
    QString operator()(QObject* Sender, int CardIndex) const
    {
        return assigned() ? m_call(Sender, CardIndex) : QString();
    }

private:
    QPointer<QObject> m_object;
    bool m_hasObject = false;
    Handler m_call;
};
