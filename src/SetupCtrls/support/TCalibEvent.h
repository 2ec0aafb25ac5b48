#pragma once
// The setup supporter's request for one channel's calibration reading: an
// optional method of the owner taking (Sender, Channel, ItsAllBad) and
// returning the reading's text. ItsAllBad is shared by every channel of a
// pass; a handler that got a good reading clears it.

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class TCalibEvent {
public:
    using Handler = std::function<QString(QObject* Sender, quint8 Channel, bool& ItsAllBad)>;

    TCalibEvent() = default;

    template <class T>
    static TCalibEvent bind(T* object, QString (T::*method)(QObject*, quint8, bool&))
    {
        TCalibEvent e;
        e.m_object = object;
        e.m_hasObject = true;
        e.m_call = [object, method](QObject* sender, quint8 channel, bool& itsAllBad) {
            return (object->*method)(sender, channel, itsAllBad);
        };
        return e;
    }

    // A handler without an object of its own (tests, small adapters).
    static TCalibEvent fromFunction(Handler f)
    {
        TCalibEvent e;
        e.m_call = std::move(f);
        return e;
    }

    // A handler bound to an object that has since been destroyed counts as
    // unassigned.
    bool assigned() const { return bool(m_call) && (!m_hasObject || m_object); }
    explicit operator bool() const { return assigned(); }

    // The handler's text, or an empty one (ItsAllBad untouched) when
    // unassigned; exceptions propagate to the dispatch point.
    QString operator()(QObject* Sender, quint8 Channel, bool& ItsAllBad) const
    {
        return assigned() ? m_call(Sender, Channel, ItsAllBad) : QString();
    }

private:
    QPointer<QObject> m_object;
    bool m_hasObject = false;
    Handler m_call;
};
