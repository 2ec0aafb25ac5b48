#pragma once
// The application object: Qt's, plus the idle notification (raised each time
// the event queue has become empty and every shown window has had its first
// paint) and the standard error report for exceptions that escape handlers.

#include <QApplication>
#include <QElapsedTimer>
#include <QList>
#include <functional>

class QWindow;

class TApplication : public QApplication {
    Q_OBJECT

public:
    // Sender is the application; a handler that sets Done to false is called
    // again without waiting for the next event.
    using TIdleEvent = std::function<void(QObject* Sender, bool& Done)>;

    TApplication(int& argc, char** argv);
    ~TApplication() override;

    static TApplication* instance();

    // Replaces the one idle handler; an empty function clears it.
    void setOnIdle(TIdleEvent handler);
    bool hasIdleHandler() const { return bool(m_onIdle); }

    // Backstop only: handlers report their own exceptions where they are
    // dispatched, since Qt's code is not exception-safe.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void aboutToBlock();
    QList<QWindow*> windowsAwaitingFirstPaint() const;

    static constexpr int ExposePollMs = 20;
    // Long enough for a window manager on a loaded machine; only an expose
    // that never comes waits this long.
    static constexpr int MaxExposeWaitMs = 30000;
    static constexpr int RemapAfterMs = 500;

    TIdleEvent m_onIdle;
    bool m_inIdle = false;
    QElapsedTimer m_exposeWait;
    int m_mappingsRequested = 0;
};
