// Optional event handlers: when they count as assigned, what raising them
// passes and gives back, and when two of them are the same handler.

#include "TestMain.h"

#include "toolkit/app/Error.h"
#include "toolkit/app/TNotifyEvent.h"

#include <memory>

namespace {

using TReadingEvent = TEvent<QString(QObject* Sender, quint8 Channel, bool& Bad)>;

class Owner : public QObject {
    Q_OBJECT
public:
    QList<QObject*> pinged;
    QString reading(QObject* sender, quint8 channel, bool& bad)
    {
        bad = false;
        return QStringLiteral("%1 from %2").arg(channel).arg(sender->objectName());
    }

public slots:
    void Ping(QObject* sender) { pinged << sender; }
    void Pong(QObject* sender) { pinged << sender; }
};

}

class tst_TEvent : public QObject {
    Q_OBJECT

private slots:
    void assignedWhileItsObjectLives_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("ownerDestroyed");
        QTest::addColumn<bool>("assigned");
        QTest::newRow("unset") << "none" << false << false;
        QTest::newRow("a function") << "function" << false << true;
        QTest::newRow("an empty function") << "empty function" << false << false;
        QTest::newRow("bound") << "bind" << false << true;
        QTest::newRow("bound, owner gone") << "bind" << true << false;
        QTest::newRow("by name") << "name" << false << true;
        QTest::newRow("by name, owner gone") << "name" << true << false;
    }

    void assignedWhileItsObjectLives()
    {
        QFETCH(QString, how);
        QFETCH(bool, ownerDestroyed);
        QFETCH(bool, assigned);
        auto owner = std::make_unique<Owner>();
        QObject sender;
        QList<QObject*> calls;
        TNotifyEvent event;
        if (how == "function")
            event = TNotifyEvent::fromFunction([&](QObject* s) { calls << s; });
        else if (how == "empty function")
            event = TNotifyEvent::fromFunction({});
        else if (how == "bind")
            event = TNotifyEvent::bind(owner.get(), &Owner::Ping);
        else if (how == "name")
            event = TNotifyEvent::byName(owner.get(), "Ping");
        if (ownerDestroyed)
            owner.reset();
        QCOMPARE(event.assigned(), assigned);
        QCOMPARE(bool(event), assigned);
        event(&sender);
        const QList<QObject*> reached = owner ? owner->pinged : QList<QObject*>();
        QCOMPARE(reached.size() + calls.size(), assigned ? 1 : 0);
    }

    // Arguments go through, a reference argument comes back; unassigned, the
    // result is empty and the reference untouched.
    void raisingPassesArgumentsAndResult_data()
    {
        QTest::addColumn<bool>("bound");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("bad");
        QTest::newRow("bound") << true << "7 from Board" << false;
        QTest::newRow("unset") << false << "" << true;
    }

    void raisingPassesArgumentsAndResult()
    {
        QFETCH(bool, bound);
        QFETCH(QString, result);
        QFETCH(bool, bad);
        Owner owner;
        QObject board;
        board.setObjectName(QStringLiteral("Board"));
        const TReadingEvent event = bound ? TReadingEvent::bind(&owner, &Owner::reading) : TReadingEvent();
        bool itsAllBad = true;
        QCOMPARE(event(&board, 7, itsAllBad), result);
        QCOMPARE(itsAllBad, bad);
    }

    void sameHandler_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("same");
        QTest::newRow("both unset") << "none"
                                    << "none" << true;
        QTest::newRow("unset and bound") << "none"
                                         << "bind Ping" << false;
        QTest::newRow("a copy of a binding") << "bind Ping"
                                             << "copy" << true;
        QTest::newRow("two bindings of one method") << "bind Ping"
                                                    << "bind Ping" << false;
        QTest::newRow("one name twice") << "name Ping"
                                        << "name Ping" << true;
        QTest::newRow("two names") << "name Ping"
                                   << "name Pong" << false;
        QTest::newRow("one name, two owners") << "name Ping"
                                              << "other Ping" << false;
        QTest::newRow("named and bound") << "name Ping"
                                         << "bind Ping" << false;
        QTest::newRow("named and unset") << "name Ping"
                                         << "none" << false;
    }

    void sameHandler()
    {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(bool, same);
        Owner owner, other;
        TNotifyEvent first;
        const auto make = [&](const QString& how) {
            const QByteArray method = how.section(u' ', 1).toLatin1();
            if (how == "copy")
                return first;
            if (how.startsWith("bind"))
                return TNotifyEvent(TNotifyEvent::bind(&owner, &Owner::Ping));
            if (how.startsWith("name"))
                return TNotifyEvent::byName(&owner, method);
            if (how.startsWith("other"))
                return TNotifyEvent::byName(&other, method);
            return TNotifyEvent();
        };
        first = make(left);
        const TNotifyEvent second = make(right);
        QCOMPARE(first == second, same);
        QCOMPARE(second == first, same);
    }

    void aMissingHandlerIsNamed()
    {
        Owner owner;
        try {
            TNotifyEvent::byName(&owner, "Pang");
            QFAIL("no error");
        } catch (const tk::Error& e) {
            QCOMPARE(e.message(), QStringLiteral("Owner has no handler Pang(QObject* Sender)"));
        }
    }
};

SETUP_TEST_MAIN(tst_TEvent)
#include "tst_TEvent.moc"
