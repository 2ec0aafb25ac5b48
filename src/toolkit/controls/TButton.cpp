#include "toolkit/controls/TButton.h"

#include "toolkit/app/ErrorReport.h"

TButton::TButton(QWidget* parent)
    : QPushButton(parent)
{
    // A handler may replace itself (a Start button turning into Stop): the
    // call runs on a copy, and the new handler answers the next click.
    connect(this, &QAbstractButton::clicked, this, [this] {
        const TNotifyEvent handler = m_onClick;
        tk::guarded([this, &handler] { handler(this); });
    });
}

void TButton::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
}

void TButton::setOnClick(const TNotifyEvent& handler)
{
    if (handler == m_onClick)
        return;
    m_onClick = handler;
}
