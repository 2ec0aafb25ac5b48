#include "toolkit/app/TNotifyEvent.h"

#include "toolkit/app/Error.h"

#include <QMetaMethod>

TNotifyEvent TNotifyEvent::byName(QObject* object, const QByteArray& name)
{
    Q_ASSERT(object);
    const QByteArray signature = name + "(QObject*)";
    const int index = object->metaObject()->indexOfMethod(signature.constData());
    if (index < 0)
        throw tk::Error(QStringLiteral("%1 has no handler %2(QObject* Sender)").arg(QString::fromLatin1(object->metaObject()->className()), QString::fromLatin1(name)));
    const QMetaMethod method = object->metaObject()->method(index);
    QPointer<QObject> target = object;
    return TNotifyEvent(object, name, [target, method](QObject* sender) {
        if (target)
            method.invoke(target.data(), Qt::DirectConnection, Q_ARG(QObject*, sender));
    });
}

bool TNotifyEvent::operator==(const TNotifyEvent& other) const
{
    const bool named = !m_name.isEmpty() || !other.m_name.isEmpty();
    if (named && hasHandler() && other.hasHandler())
        return object() == other.object() && m_name == other.m_name;
    return TEvent::operator==(other);
}
