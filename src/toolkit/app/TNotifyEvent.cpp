#include "toolkit/app/TNotifyEvent.h"

#include "toolkit/app/Error.h"

#include <QMetaMethod>
#include <atomic>

quintptr TNotifyEvent::newIdentity()
{
    static std::atomic<quintptr> counter { 1 };
    return counter++;
}

TNotifyEvent TNotifyEvent::byName(QObject* object, const QByteArray& name)
{
    Q_ASSERT(object);
    const QByteArray signature = name + "(QObject*)";
    const int index = object->metaObject()->indexOfMethod(signature.constData());
    if (index < 0)
        throw tk::Error(QStringLiteral("%1 has no handler %2(QObject* Sender)")
                            .arg(QString::fromLatin1(object->metaObject()->className()),
                                QString::fromLatin1(name)));
    TNotifyEvent e;
    e.m_object = object;
    e.m_name = name;
    e.m_hasObject = true;
    e.m_identity = newIdentity();
    const QMetaMethod method = object->metaObject()->method(index);
    QPointer<QObject> target = object;
    e.m_call = [target, method](QObject* sender) {
        if (target)
            method.invoke(target.data(), Qt::DirectConnection, Q_ARG(QObject*, sender));
    };
    return e;
}

TNotifyEvent TNotifyEvent::fromFunction(std::function<void(QObject*)> f)
{
    TNotifyEvent e;
    e.m_call = std::move(f);
    e.m_identity = newIdentity();
    return e;
}

void TNotifyEvent::operator()(QObject* sender) const
{
    if (assigned())
        m_call(sender);
}

bool TNotifyEvent::operator==(const TNotifyEvent& other) const
{
    if (!m_call && !other.m_call)
        return true;
    if (!m_call || !other.m_call)
        return false;
    if (!m_name.isEmpty() || !other.m_name.isEmpty())
        return m_object == other.m_object && m_name == other.m_name;
    return m_identity == other.m_identity;
}
