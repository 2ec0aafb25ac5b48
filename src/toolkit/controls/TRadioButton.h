#pragma once
// A radio button whose OnClick means "this option has just been chosen",
// whether the user or the program chose it; siblings under one parent
// exclude each other.

#include "toolkit/app/TNotifyEvent.h"

#include <QRadioButton>

class TRadioButton : public QRadioButton {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)
    Q_PROPERTY(TNotifyEvent OnClick READ onClick WRITE setOnClick)

public:
    explicit TRadioButton(QWidget* parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString& caption);

    // Checking from code deselects the checked sibling first, then raises OnClick.
    void setChecked(bool checked);

    const TNotifyEvent& onClick() const { return m_onClick; }
    void setOnClick(const TNotifyEvent& handler);

private:
    TNotifyEvent m_onClick;
};
