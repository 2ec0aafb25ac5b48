#include "toolkit/controls/TRadioButton.h"

#include "toolkit/app/ErrorReport.h"

TRadioButton::TRadioButton(QWidget* parent)
    : QRadioButton(parent)
{
    setAutoExclusive(true);
    // toggled(true), not clicked(): choosing from code counts as a click, and
    // a click on the button already chosen does not.
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        if (checked)
            tk::guarded([this] { m_onClick(this); });
    });
}

void TRadioButton::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
}

void TRadioButton::setChecked(bool checked)
{
    if (checked == isChecked())
        return;
    if (checked || !autoExclusive()) {
        QRadioButton::setChecked(checked);
        return;
    }
    // Qt refuses to uncheck the chosen button of an exclusive set; code may
    // leave the set with no choice at all.
    setAutoExclusive(false);
    QRadioButton::setChecked(false);
    setAutoExclusive(true);
}

void TRadioButton::setOnClick(const TNotifyEvent& handler)
{
    if (handler == m_onClick)
        return;
    m_onClick = handler;
}
