#pragma once
// A push button whose click is reported through one replaceable OnClick
// handler, and which a form presses for Enter (Default) or Escape (Cancel).

#include "toolkit/app/TNotifyEvent.h"

#include <QPushButton>

class TButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Default READ isDefault WRITE setDefault)
    Q_PROPERTY(bool Cancel READ cancel WRITE setCancel)
    Q_PROPERTY(TNotifyEvent OnClick READ onClick WRITE setOnClick)

public:
    explicit TButton(QWidget* parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString& caption);

    // The button Escape presses in its window.
    bool cancel() const { return m_cancel; }
    void setCancel(bool value) { m_cancel = value; }

    const TNotifyEvent& onClick() const { return m_onClick; }
    void setOnClick(const TNotifyEvent& handler);

private:
    bool m_cancel = false;
    TNotifyEvent m_onClick;
};
