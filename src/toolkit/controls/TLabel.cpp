#include "toolkit/controls/TLabel.h"

#include <QEvent>

TLabel::TLabel(QWidget* parent)
    : QLabel(parent)
{
    // A caption is never markup, whatever characters it holds.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(false);
    fitToCaption();
}

void TLabel::setCaption(const QString& caption)
{
    if (caption == text())
        return;
    setText(caption);
    fitToCaption();
}

void TLabel::setAutoSize(bool autoSize)
{
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    fitToCaption();
}

void TLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToCaption();
}

void TLabel::fitToCaption()
{
    if (m_autoSize)
        resize(sizeHint());
}
