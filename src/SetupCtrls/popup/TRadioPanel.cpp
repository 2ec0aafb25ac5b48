#include "SetupCtrls/popup/TRadioPanel.h"

#include <QPainter>

TRadioPanel::TRadioPanel(QWidget* parent)
    : QWidget(parent)
{
    resize(DefaultWidth, DefaultHeight);
    // A child widget is shown along with its parent unless it was hidden
    // explicitly; the panel must stay off the main window until its popup
    // takes it.
    hide();
}

TRadioPanel::~TRadioPanel() = default;

void TRadioPanel::setRadioEnabled(bool value)
{
    m_radioEnabled = value;
}

void TRadioPanel::setLines(const QStringList& value)
{
    if (m_lines == value)
        return;
    m_lines = value;
}

void TRadioPanel::setMemoHeight(int value)
{
    m_memoHeight = value;
}

void TRadioPanel::setFinalAnchors(tk::TAnchors value)
{
    if (m_finalAnchors == value)
        return;
    m_finalAnchors = value;
    if (m_finalAnchorsApplied)
        tk::setAnchors(this, value);
}

void TRadioPanel::setBevelOuter(TBevelCut value)
{
    if (m_bevelOuter == value)
        return;
    m_bevelOuter = value;
    update();
}

void TRadioPanel::setColor(TColor value)
{
    if (m_color == value)
        return;
    m_color = value;
    update();
}

void TRadioPanel::setCaption(const QString& value)
{
    if (m_caption == value)
        return;
    m_caption = value;
    update();
}

void TRadioPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, m_color.toQColor());

    if (m_bevelOuter == bvRaised || m_bevelOuter == bvLowered) {
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        const QColor topLeft = m_bevelOuter == bvRaised ? light : dark;
        const QColor bottomRight = m_bevelOuter == bvRaised ? dark : light;
        const int r = area.width() - 1;
        const int b = area.height() - 1;
        painter.setPen(topLeft);
        painter.drawLine(0, 0, r, 0);
        painter.drawLine(0, 0, 0, b);
        painter.setPen(bottomRight);
        painter.drawLine(r, 0, r, b);
        painter.drawLine(0, b, r, b);
    }

    if (!m_caption.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(area, Qt::AlignCenter, m_caption);
    }
}
