#include "board/BoardLayout.h"

#include "Raster.h"
#include "parts/BoardMarks.h"
#include "parts/Connectors.h"
#include "parts/Headers.h"
#include "parts/ThroughHole.h"

#include "template/JumperBlocks.h"
#include "toolkit/app/Error.h"

#include <cmath>

namespace board {

namespace {

    // The title row of a channel block, down from the top of its highlight.
    constexpr qreal kChannelTitle = 13.0;
    // Cap height of the jumpers' legends: they are what a user sets the
    // board by, so they are printed larger than the reference designators.
    constexpr qreal kJumperLabel = 6.4;
    const QColor kShuntColour = jumperBlocks::capColour();

    // Copper runs are given by their key points; any leg that is neither
    // orthogonal nor diagonal gets a corner so that it is, which is how a
    // router with 45-degree bends lays tracks.
    QPainterPath route(const std::vector<QPointF>& points)
    {
        QPainterPath path;
        path.moveTo(points.front());
        QPointF cur = points.front();
        for (size_t i = 1; i < points.size(); ++i) {
            const QPointF next = points[i];
            const qreal dx = next.x() - cur.x();
            const qreal dy = next.y() - cur.y();
            const qreal ax = std::abs(dx);
            const qreal ay = std::abs(dy);
            if (ax > 1e-6 && ay > 1e-6 && std::abs(ax - ay) > 1e-6) {
                const QPointF corner = ax > ay ? QPointF(next.x() - std::copysign(ay, dx), cur.y())
                                               : QPointF(cur.x(), next.y() - std::copysign(ax, dy));
                path.lineTo(corner);
            }
            path.lineTo(next);
            cur = next;
        }
        return path;
    }

} // namespace

void BoardLayout::trace(const std::vector<QPointF>& points, qreal width)
{
    m_traces.push_back({ route(points), width });
}

void BoardLayout::label(const QString& text, QPointF at, qreal height, Qt::Alignment align, qreal angle)
{
    m_labels.push_back({ text, at, height, align, angle });
}

QRectF BoardLayout::spot(const char* name) const
{
    const auto found = m_spots.constFind(QLatin1String(name));
    if (found == m_spots.constEnd())
        throw tk::Error(QStringLiteral("the form has no circle named %1").arg(QLatin1String(name)));
    return *found;
}

QRectF BoardLayout::channelSpot(int channel) const
{
    // The description names the first channel's circle after its panel.
    return spot(channel == 0 ? "RSettingsHighlight" : qPrintable(QStringLiteral("BoardHighlight%1").arg(channel)));
}

BoardLayout::BoardLayout(const Spots& spots)
    : m_spots(spots)
{
    layoutConnectors();
    layoutJumperBlocks();
    layoutAnalogue();
    layoutDigital();
    layoutPower();
    layoutDetails();
}

void BoardLayout::passive(QPointF at, bool vertical, Chip::Kind kind, const QString& ref, QPointF refOffset, QPointF via,
    bool large)
{
    const QSizeF size = large ? QSizeF(8.0, 5.0) : QSizeF(6.0, 3.2);
    add<Chip>(at, size, vertical, kind);
    if (!ref.isEmpty()) {
        Qt::Alignment align = Qt::AlignCenter;
        if (refOffset.x() > 0.5)
            align = Qt::AlignLeft | Qt::AlignVCenter;
        else if (refOffset.x() < -0.5)
            align = Qt::AlignRight | Qt::AlignVCenter;
        label(ref, at + refOffset, 3.6, align);
    }
    if (!via.isNull()) {
        const qreal half = size.width() / 2;
        const QPointF end = vertical ? at - QPointF(0, half) : at - QPointF(half, 0);
        trace({ end, via }, 0.9);
        m_vias.push_back(via);
    }
}

void BoardLayout::layoutConnectors()
{
    const QColor seenThrough(150, 150, 146);
    for (QPointF c : { QPointF(57, 29), QPointF(568, 29), QPointF(57, 559), QPointF(568, 559) })
        add<MountingHole>(c, seenThrough);

    // Differential outputs: 2x17 shrouded header filling its hotspot.
    const QRectF diff = spot("DiffHighlight");
    const QRectF diffBox(diff.center().x() - 15.0, diff.center().y() - 97.0, 30.0, 194.0);
    add<BoxHeader>(diffBox, 17, Qt::Vertical, Qt::RightEdge, QStringLiteral("J3"));
    label(QStringLiteral("DIFFERENTIAL OUTPUTS"), QPointF(diffBox.right() + 24.0, diffBox.center().y() - 30.0), 4.2,
        Qt::AlignCenter, -90.0);
    // Fan-out from the header's pads to vias just outside the shroud.
    for (int i = 0; i < 17; ++i) {
        if (i % 4 == 3)
            continue; // ground pins tie straight into the pour
        const qreal y = diffBox.center().y() + (i - 8) * kPitch;
        const QPointF via(diffBox.right() + 8.5 + (i % 2) * 6.5, y + 5.0);
        trace({ { diffBox.center().x() + 5.0, y }, { diffBox.right() + 3.5, y }, via });
        m_vias.push_back(via);
    }

    // Single-ended outputs: plain 2x12 header.
    const QRectF se = spot("SEHighlight");
    const QPointF seFirst(se.center().x() - 5.0, se.center().y() - 55.0);
    const auto* seHeader = add<PinHeader>(seFirst, 12, 2, Qt::Vertical);
    label(QStringLiteral("J5"), QPointF(se.center().x(), seHeader->bounds().top() - 3.6), 4.2,
        Qt::AlignHCenter | Qt::AlignBottom);
    label(QStringLiteral("SINGLE-ENDED"), QPointF(seHeader->bounds().right() + 7.5, se.center().y()), 4.0, Qt::AlignCenter,
        90.0);
    for (int i = 0; i < 12; ++i) {
        if (i % 3 == 2)
            continue;
        const QPointF pin = seHeader->pin(i, 0);
        const qreal x = seHeader->bounds().left() - 5.0 - (i % 2) * 6.0;
        trace({ pin, { x, pin.y() } });
        m_vias.push_back({ x, pin.y() });
    }

    // Signal lines: 2x7 shrouded header.
    const QRectF sig = spot("SigHighlight");
    const QRectF sigBox(sig.center().x() - 16.0, sig.center().y() - 43.0, 32.0, 86.0);
    add<BoxHeader>(sigBox, 7, Qt::Vertical, Qt::LeftEdge, QStringLiteral("J6"));
    label(QStringLiteral("SIGNALS"), QPointF(sigBox.center().x(), sigBox.bottom() + 3.6), 4.0,
        Qt::AlignHCenter | Qt::AlignTop);

    // External power selector.
    const QRectF ext = spot("PowerHighlight");
    const QPointF extFirst = jumperBlocks::powerFirstPin(ext);
    const auto* extHeader = add<PinHeader>(extFirst, 3, 1, Qt::Vertical);
    add<Shunt>(extHeader->pin(1), extHeader->pin(2), kShuntColour);
    label(QStringLiteral("VEXT"), QPointF(ext.center().x(), extHeader->bounds().top() - 2.6), kJumperLabel,
        Qt::AlignHCenter | Qt::AlignBottom);
    label(QStringLiteral("VUSB"), QPointF(ext.center().x(), extHeader->bounds().bottom() + 2.6), kJumperLabel,
        Qt::AlignHCenter | Qt::AlignTop);
    label(QStringLiteral("J1"), QPointF(extHeader->bounds().right() + 3.4, ext.center().y()), 4.2,
        Qt::AlignLeft | Qt::AlignVCenter);

    // DC input jack overhanging the left edge.
    const QRectF dc = spot("DCINHighlight");
    const QRectF jack(dc.left() + 3.0, dc.top() + 7.0, 89.0, 51.0);
    add<DcJack>(jack);
    label(QStringLiteral("J4  +5V DC"), QPointF(jack.left() + 18.0, jack.bottom() + 7.0), 4.0,
        Qt::AlignLeft | Qt::AlignTop);

    // USB type-B.
    const QRectF usb = spot("USBHighlight");
    const QRectF shell(usb.left() + 1.0, usb.center().y() - 24.0, 66.0, 48.0);
    add<UsbB>(shell);
    label(QStringLiteral("J2"), QPointF(shell.right() + 3.5, shell.top() + 1.0), 4.2, Qt::AlignLeft | Qt::AlignTop);
    label(QStringLiteral("USB"), QPointF(shell.left() + 22.0, shell.bottom() + 5.0), 4.0, Qt::AlignHCenter | Qt::AlignTop);

    // Power LED and its series resistor.
    const QRectF ledSpot = spot("LedHighlight");
    const QPointF ledCentre(ledSpot.left() + 20.0, ledSpot.center().y() - 1.0);
    add<Led>(ledCentre, 9.6);
    const QPointF ra(ledSpot.left() + 40.0, ledCentre.y());
    const QPointF rb(ledSpot.left() + 68.0, ledCentre.y());
    add<AxialResistor>(ra, rb, QList<QColor> { QColor(222, 110, 28), QColor(222, 110, 28), QColor(110, 58, 24), QColor(196, 164, 74) });
    label(QStringLiteral("D1"), ledCentre + QPointF(-14.5, -10.0), 4.2, Qt::AlignRight | Qt::AlignVCenter);
    label(QStringLiteral("PWR"), ledCentre + QPointF(0.0, 15.0), 4.0, Qt::AlignHCenter | Qt::AlignTop);
    label(QStringLiteral("R1"), (ra + rb) / 2 + QPointF(0.0, -6.5), 4.2, Qt::AlignHCenter | Qt::AlignBottom);
    QPainterPath bracket;
    bracket.addRect(QRectF(ra.x() - 5.0, ra.y() - 4.6, rb.x() - ra.x() + 10.0, 9.2));
    m_silkLines.push_back(bracket);
}

void BoardLayout::layoutJumperBlocks()
{
    // Each channel carries the two jumpers the guide shows, as the board
    // ships: the span jumper open (10 V), its cap parked on one pin so it is
    // not lost, and the polarity cap on UNI.
    for (int ch = 0; ch < 8; ++ch) {
        const QRectF b = channelSpot(ch);
        const qreal cx = b.center().x();
        QPainterPath frame;
        frame.addRoundedRect(b.adjusted(2.0, 2.0, -2.0, -2.0), 2.5, 2.5);
        m_silkLines.push_back(frame);
        label(QStringLiteral("CH%1").arg(ch), QPointF(cx, b.top() + kChannelTitle), kJumperLabel, Qt::AlignCenter);

        const auto* span = add<PinHeader>(jumperBlocks::spanFirstPin(b), 3, 1, Qt::Horizontal);
        pairLabels(*span, QStringLiteral("5V"), QStringLiteral("2.5V"), Qt::AlignBottom);
        add<Shunt>(span->pin(2), span->pin(2) + QPointF(kPitch, 0.0), kShuntColour, Shunt::Parked);
        label(QStringLiteral("JP%1").arg(2 * ch + 2), span->bounds().topLeft() + QPointF(-3.0, 0.0), 3.6,
            Qt::AlignRight | Qt::AlignTop);

        const auto* polarity = add<PinHeader>(jumperBlocks::polarityFirstPin(b), 3, 1, Qt::Horizontal);
        pairLabels(*polarity, QStringLiteral("BP"), QStringLiteral("UNI"), Qt::AlignTop);
        add<Shunt>(polarity->pin(1), polarity->pin(2), kShuntColour);
        label(QStringLiteral("JP%1").arg(2 * ch + 3), polarity->bounds().bottomLeft() + QPointF(-3.0, 0.0), 3.6,
            Qt::AlignRight | Qt::AlignBottom);
    }
}

void BoardLayout::pairLabels(const PinHeader& header, const QString& left, const QString& right, Qt::Alignment side)
{
    // A bar over each pin pair ties its label to it; the labels stand apart
    // from the middle pin so that "5V" and "2.5V" do not run together.
    const QRectF bounds = header.bounds();
    const qreal y = side == Qt::AlignBottom ? bounds.top() - 3.4 : bounds.bottom() + 3.4;
    const qreal labelY = side == Qt::AlignBottom ? y - 2.2 : y + 2.2;
    const qreal mid = header.pin(1).x();
    QPainterPath bars;
    bars.moveTo(header.pin(0).x() - 2.5, y);
    bars.lineTo(mid - 1.0, y);
    bars.moveTo(mid + 1.0, y);
    bars.lineTo(header.pin(2).x() + 2.5, y);
    m_silkLines.push_back(bars);
    label(left, QPointF(mid - 2.6, labelY), kJumperLabel, Qt::AlignRight | side);
    label(right, QPointF(mid + 2.6, labelY), kJumperLabel, Qt::AlignLeft | side);
}

void BoardLayout::layoutAnalogue()
{
    // One quad DAC and one quad amplifier per pair of channel columns, with
    // the range jumpers' tracks dropping down the gaps between blocks.
    const qreal dacX[4] = { 170, 262, 354, 446 };
    const qreal gaps[4] = { 203.5, 302.0, 406.0, 510.0 };
    const qreal dacY = 262.0;
    const qreal ampY = 322.0;
    Rng rng(0xDAC);
    for (int i = 0; i < 4; ++i) {
        const auto* dac = add<GullWing>(QPointF(dacX[i], dacY), QSizeF(40.0, 29.5), 8, 5.0, 2, false,
            QStringList { QStringLiteral("QD7624"), QStringLiteral("BRZ 1931"),
                QStringLiteral("#%1").arg(4417 + i * 3) },
            QStringLiteral("U%1").arg(3 + i));
        add<GullWing>(QPointF(dacX[i], ampY), QSizeF(34.0, 15.5), 7, 5.0, 2, false,
            QStringList { QStringLiteral("OPA4%1").arg(i % 2 ? 171 : 172), QStringLiteral("TI 2C4") },
            QStringLiteral("U%1").arg(7 + i));
        // Decoupling next to each package.
        add<Chip>(QPointF(dacX[i] + 26.5, dacY - 6.0), QSizeF(8.0, 5.0), true, Chip::Capacitor);
        add<Chip>(QPointF(dacX[i] + 26.5, dacY + 7.0), QSizeF(6.0, 3.2), true, Chip::Capacitor);
        add<Chip>(QPointF(dacX[i] + 24.0, ampY), QSizeF(6.0, 3.2), true, Chip::Capacitor);
        // Gain-setting resistors right under the amplifier outputs.
        for (int k = 0; k < 4; ++k) {
            const qreal x = dacX[i] - 15.0 + k * 10.0;
            add<Chip>(QPointF(x, ampY + 26.0), QSizeF(6.0, 3.2), true, Chip::Resistor);
            trace({ { x, ampY + 13.0 }, { x, ampY + 23.0 } });
            trace({ { x, ampY + 29.0 }, { x, ampY + 33.0 + (k % 2) * 4.0 } });
            m_vias.push_back({ x, ampY + 33.0 + (k % 2) * 4.0 });
        }

        // Range-jumper tracks: from each header's right pin into the gap,
        // down past the blocks and in to the DAC's top row.
        const QRectF upper = channelSpot(i);
        const QRectF lower = channelSpot(i + 4);
        const qreal rows[4] = { jumperBlocks::polarityFirstPin(lower).y(), jumperBlocks::spanFirstPin(lower).y(),
            jumperBlocks::polarityFirstPin(upper).y(), jumperBlocks::spanFirstPin(upper).y() };
        const qreal pinTop = dac->leadTip(2, 0).y() - 2.0;
        for (int k = 0; k < 4; ++k) {
            const qreal gx = gaps[i] + 3.0 * k;
            const qreal px = dacX[i] + 2.5 + 5.0 * k;
            const qreal dx = std::abs(gx - px);
            const qreal pinX = upper.center().x() + kPitch;
            trace({ { pinX, rows[k] }, { gx - 4.0, rows[k] }, { gx, rows[k] + 4.0 }, { gx, pinTop - 6.0 - dx },
                { px, pinTop - 6.0 }, { px, pinTop + 2.0 } });
        }
        // Bottom-row DAC pins break out to vias for the serial bus.
        for (int k = 0; k < 8; k += 2) {
            const QPointF tip = dac->leadTip(0, k);
            const qreal y = tip.y() + 7.0 + (k % 4) * 1.5;
            trace({ tip, { tip.x(), y } });
            m_vias.push_back({ tip.x(), y });
        }
        // A few loose vias near each group, as ground returns.
        for (int v = 0; v < 3; ++v)
            m_vias.push_back({ dacX[i] - 26.0 + rng.uniform(-1.0, 1.0), dacY - 8.0 + v * 8.0 });
    }

    // Reference for the DACs.
    add<GullWing>(QPointF(300.0, 390.0), QSizeF(19.6, 15.6), 4, 5.0, 2, false,
        QStringList { QStringLiteral("REF25"), QStringLiteral("A2K") }, QStringLiteral("U11"));
    add<Chip>(QPointF(324.0, 386.0), QSizeF(8.0, 5.0), true, Chip::Capacitor);
    add<Chip>(QPointF(276.0, 394.0), QSizeF(6.0, 3.2), true, Chip::Capacitor);
    add<Chip>(QPointF(336.0, 394.0), QSizeF(14.0, 7.0), true, Chip::Tantalum);
    trace({ { 300.0, 375.0 }, { 300.0, 360.0 }, { 307.0, 353.0 }, { 405.0, 353.0 } });
    m_vias.push_back({ 405.0, 353.0 });
}

void BoardLayout::layoutDigital()
{
    const QPointF mcu(205.0, 440.0);
    add<GullWing>(mcu, QSizeF(39.0, 39.0), 11, 3.1, 4, false,
        QStringList { QStringLiteral("QT2131"), QStringLiteral("USB-AIO"), QStringLiteral("2318K") },
        QStringLiteral("U1"));
    add<Crystal>(QRectF(mcu.x() - 21.0, 489.0, 42.0, 15.0), QStringLiteral("24.000"));
    add<Chip>(QPointF(mcu.x() - 9.0, 513.0), QSizeF(6.0, 3.2), false, Chip::Capacitor);
    add<Chip>(QPointF(mcu.x() + 9.0, 513.0), QSizeF(6.0, 3.2), false, Chip::Capacitor);
    add<GullWing>(QPointF(278.0, 440.0), QSizeF(19.6, 15.6), 4, 5.0, 2, true,
        QStringList { QStringLiteral("24C64"), QStringLiteral("SN") }, QStringLiteral("U2"));

    // Decoupling around the microcontroller.
    add<Chip>(QPointF(mcu.x() + 31.0, 426.0), QSizeF(6.0, 3.2), true, Chip::Capacitor);
    add<Chip>(QPointF(mcu.x() + 31.0, 455.0), QSizeF(6.0, 3.2), true, Chip::Capacitor);
    add<Chip>(QPointF(mcu.x() - 14.0, 472.0), QSizeF(6.0, 3.2), false, Chip::Capacitor);
    add<Chip>(QPointF(mcu.x() + 14.0, 472.0), QSizeF(6.0, 3.2), false, Chip::Resistor);
    add<Chip>(QPointF(255.0, 420.0), QSizeF(6.0, 3.2), true, Chip::Resistor);
    add<Chip>(QPointF(255.0, 460.0), QSizeF(6.0, 3.2), true, Chip::Resistor);

    // Serial bus from the top of the microcontroller to every DAC.
    const qreal busX[3] = { 211.2, 214.3, 217.4 };
    const qreal busY[3] = { 294.0, 297.0, 300.0 };
    for (int k = 0; k < 3; ++k) {
        trace({ { busX[k], 417.0 }, { busX[k], busY[k] + 6.0 }, { busX[k] + 6.0, busY[k] }, { 468.0, busY[k] } });
        m_vias.push_back({ 468.0, busY[k] });
    }

    // USB data pair through series resistors and ESD protection.
    const QRectF usb = spot("USBHighlight");
    const qreal rear = usb.left() + 67.0;
    trace({ { rear - 4.0, 434.0 }, { 150.0, 434.0 }, { 178.0, 436.9 } }, 1.2);
    trace({ { rear - 4.0, 438.0 }, { 150.0, 438.0 }, { 178.0, 440.0 } }, 1.2);
    add<Chip>(QPointF(140.0, 434.0), QSizeF(6.0, 3.2), false, Chip::Resistor);
    add<Chip>(QPointF(156.0, 438.0), QSizeF(6.0, 3.2), false, Chip::Resistor);
    add<Sot>(QPointF(128.0, 451.0), false, QStringLiteral("E05"));
    trace({ { 124.3, 447.0 }, { 124.3, 438.0 } });
    trace({ { 131.7, 447.0 }, { 131.7, 434.0 } });
    m_vias.push_back({ 128.0, 460.0 });
    trace({ { 128.0, 454.0 }, { 128.0, 460.0 } }, 1.4);

    label(QStringLiteral("USB-QT30-5E"), QPointF(318.0, 536.0), 10.0, Qt::AlignHCenter | Qt::AlignVCenter);
    label(QStringLiteral("REV A"), QPointF(318.0, 552.0), 5.0, Qt::AlignHCenter | Qt::AlignTop);
    QPainterPath serialBox;
    serialBox.addRect(QRectF(392.0, 529.0, 52.0, 14.0));
    m_silkLines.push_back(serialBox);
    label(QStringLiteral("S/N"), QPointF(389.0, 536.0), 4.0, Qt::AlignRight | Qt::AlignVCenter);
    add<Sticker>(QRectF(393.5, 529.5, 50.0, 13.0), -1.2, QStringLiteral("0612-00387"));
}

void BoardLayout::layoutPower()
{
    const QRectF ext = spot("PowerHighlight");
    const QPointF vext(ext.center().x(), ext.center().y() - 10.0);
    const QPointF vout = vext + QPointF(0, kPitch);
    const QPointF vusb = vext + QPointF(0, 2 * kPitch);
    const QRectF usb = spot("USBHighlight");
    const QRectF dc = spot("DCINHighlight");

    // Jack to the VEXT pin, round the end of the output header.
    trace({ { dc.left() + 43.0, dc.top() + 5.0 }, { dc.left() + 43.0, dc.top() - 2.0 }, { 85.0, 284.0 }, { 85.0, 272.0 },
              { vext.x() - 5.0, vext.y() }, vext },
        2.4);
    // USB bus power up under the jack body to the VUSB pin.
    trace({ { usb.left() + 67.0, 428.0 }, { 110.0, 422.0 }, { 110.0, 300.0 }, { vusb.x(), vusb.y() + 4.5 }, vusb }, 2.4);
    // Selected supply out of the centre pin: bulk capacitor, regulator, and
    // along the bottom of the board to the converters.
    trace({ vout, { 118.0, vout.y() }, { 130.0, vout.y() + 12.0 }, { 130.0, 414.0 } }, 2.4);
    m_vias.push_back({ 130.0, 414.0 });
    m_vias.push_back({ 130.0, 462.0 });
    trace({ { 130.0, 462.0 }, { 130.0, 508.0 }, { 142.0, 520.0 }, { 466.0, 520.0 }, { 478.0, 508.0 }, { 492.0, 494.0 } }, 2.4);
    const QRectF ledSpot = spot("LedHighlight");
    trace({ { ledSpot.left() + 68.0, ledSpot.center().y() - 1.0 }, { 124.0, ledSpot.center().y() - 1.0 },
              { 130.0, ledSpot.center().y() - 7.0 } },
        1.2);
    add<Electrolytic>(QPointF(146.0, 372.0), 12.0, QColor(30, 30, 34), 200.0, QStringLiteral("C1"));
    add<Sot>(QPointF(160.0, 400.0), true, QStringLiteral("1117-33"));
    trace({ { 130.0, 372.0 }, { 136.0, 372.0 } }, 2.4);
    add<Chip>(QPointF(112.0, 470.0), QSizeF(8.0, 5.0), false, Chip::Ferrite);
    add<TestPoint>(QPointF(248.0, 500.0), QStringLiteral("+5V"));
    add<TestPoint>(QPointF(248.0, 511.0), QStringLiteral("GND"));

    // Converters and their bulk capacitors.
    const QRectF pwr = spot("OptionalHighlight");
    const QRectF top(pwr.left() + 5.0, pwr.top() + 7.0, 86.0, 86.0);
    const QRectF bottom(pwr.left() + 5.0, pwr.top() + 101.0, 86.0, 86.0);
    add<Module>(top,
        QStringList { QStringLiteral("DC/DC CONVERTER"), QStringLiteral("QTD05-12"), QStringLiteral("IN 5V  OUT +12V"),
            QStringLiteral("1W   1kVDC ISO") },
        QStringLiteral("PS1"));
    add<Module>(bottom,
        QStringList { QStringLiteral("DC/DC CONVERTER"), QStringLiteral("QTD05-12N"), QStringLiteral("IN 5V  OUT -12V"),
            QStringLiteral("1W   1kVDC ISO") },
        QStringLiteral("PS2"));
    label(QStringLiteral("\u00b112V DAC POWER"), QPointF(pwr.center().x(), pwr.bottom() + 5.0), 4.0,
        Qt::AlignHCenter | Qt::AlignTop);
    add<Electrolytic>(QPointF(452.0, 392.0), 14.0, QColor(26, 48, 118), 150.0, QStringLiteral("C2"));
    add<Electrolytic>(QPointF(452.0, 452.0), 14.0, QColor(30, 30, 34), 150.0, QStringLiteral("C3"));
    add<TestPoint>(QPointF(424.0, 488.0), QStringLiteral("+12V"));
    add<TestPoint>(QPointF(424.0, 500.0), QStringLiteral("-12V"));

    // Amplifier rails.
    trace({ { top.left() + 4.0, top.top() + 30.0 }, { 472.0, top.top() + 30.0 }, { 466.0, 363.0 }, { 466.0, 366.0 },
              { 232.0, 366.0 } },
        2.0);
    m_vias.push_back({ 232.0, 366.0 });
    trace({ { bottom.left() + 4.0, bottom.top() + 20.0 }, { 472.0, bottom.top() + 20.0 }, { 466.0, bottom.top() + 14.0 },
              { 466.0, 378.0 }, { 462.0, 374.0 }, { 330.0, 374.0 } },
        2.0);
    m_vias.push_back({ 330.0, 374.0 });
    for (qreal x : { 262.0, 354.0, 446.0 })
        trace({ { x + 10.0, 337.0 }, { x + 10.0, 366.0 } }, 1.2);
    m_vias.push_back({ 180.0, 366.0 });
    trace({ { 180.0, 337.0 }, { 180.0, 366.0 } }, 1.2);
}

void BoardLayout::layoutDetails()
{
    // Logic buffer between the microcontroller and the DAC bus.
    const auto* buffer = add<GullWing>(QPointF(372.0, 446.0), QSizeF(26.0, 17.6), 10, 2.6, 2, false,
        QStringList { QStringLiteral("LV245A"), QStringLiteral("TI 9AK") },
        QStringLiteral("U12"));
    for (int k = 0; k < 10; ++k) {
        const QPointF top = buffer->leadTip(2, k);
        const QPointF bottom = buffer->leadTip(0, k);
        // Fan out to vias on a wider pitch than the package's.
        const qreal spread = (k - 4.5) * 2.4;
        if (k % 3 != 1) {
            const QPointF via(top.x() + spread, top.y() - 8.0 - std::abs(spread) - (k % 2) * 4.0);
            trace({ { top.x(), top.y() + 1.0 }, { top.x(), top.y() - 4.0 }, { via.x(), top.y() - 4.0 - std::abs(spread) }, via }, 0.8);
            m_vias.push_back(via);
        }
        if (k % 4 != 2) {
            const QPointF via(bottom.x() + spread, bottom.y() + 8.0 + std::abs(spread) + (k % 2) * 4.0);
            trace({ { bottom.x(), bottom.y() - 1.0 }, { bottom.x(), bottom.y() + 4.0 },
                      { via.x(), bottom.y() + 4.0 + std::abs(spread) }, via },
                0.8);
            m_vias.push_back(via);
        }
    }
    passive(QPointF(396.0, 440.0), true, Chip::Capacitor, QStringLiteral("C21"), QPointF(4.5, 0.0),
        QPointF(396.0, 430.0));
    passive(QPointF(348.0, 452.0), true, Chip::Capacitor, QStringLiteral("C22"), QPointF(-4.5, 0.0));

    // Microcontroller to serial EEPROM.
    const QPointF mcu(205.0, 440.0);
    const qreal eepromPins[4] = { 447.5, 442.5, 437.5, 432.5 };
    for (int k = 0; k < 4; ++k) {
        const qreal y = mcu.y() - (k - 2) * 3.1 + 3.1;
        trace({ { 229.0, y }, { 240.0, y }, { 262.0, eepromPins[k] }, { 266.0, eepromPins[k] } }, 0.8);
    }
    for (int k = 0; k < 4; ++k) {
        const qreal y = eepromPins[k];
        if (k == 1)
            continue;
        trace({ { 290.0, y }, { 302.0 + (k % 2) * 5.0, y } }, 0.8);
        m_vias.push_back({ 302.0 + (k % 2) * 5.0, y });
    }
    // Crystal into the oscillator pins.
    for (qreal x : { 198.8, 211.2 })
        trace({ { x, 463.0 }, { x, 468.0 }, { x + (x < 205 ? -4.0 : 4.0), 472.0 }, { x + (x < 205 ? -4.0 : 4.0), 492.0 } }, 0.8);
    // Regulator output to the microcontroller supply pins.
    trace({ { 169.0, 408.0 }, { 169.0, 420.0 }, { 174.0, 425.0 }, { 182.0, 425.0 } }, 1.4);
    trace({ { 160.0, 408.0 }, { 160.0, 414.0 } }, 1.4);
    m_vias.push_back({ 160.0, 414.0 });

    // Around the first DAC and the power entry.
    passive(QPointF(136.0, 224.0), false, Chip::Resistor, QStringLiteral("R12"), QPointF(0.0, -5.5),
        QPointF(128.0, 224.0));
    passive(QPointF(136.0, 233.0), false, Chip::Resistor, QStringLiteral("R13"), QPointF(0.0, 5.5),
        QPointF(126.0, 238.0));
    passive(QPointF(146.0, 296.0), false, Chip::Capacitor, QStringLiteral("C5"), QPointF(0.0, 5.5));
    passive(QPointF(118.0, 392.0), true, Chip::Capacitor, QStringLiteral("C6"), QPointF(-4.5, 0.0), QPointF(), true);
    passive(QPointF(180.0, 384.0), true, Chip::Capacitor, QStringLiteral("C7"), QPointF(4.5, 0.0), QPointF(), true);

    // Small signal transistor and passives beside the test points.
    add<Sot>(QPointF(298.0, 484.0), false, QStringLiteral("1AM"));
    passive(QPointF(284.0, 498.0), false, Chip::Resistor, QStringLiteral("R31"), QPointF(-4.5, 0.0),
        QPointF(276.0, 504.0));
    passive(QPointF(312.0, 498.0), false, Chip::Resistor, QStringLiteral("R32"), QPointF(4.5, 0.0));
    passive(QPointF(330.0, 484.0), true, Chip::Capacitor, QStringLiteral("C30"), QPointF(4.5, 0.0),
        QPointF(330.0, 474.0));
    trace({ { 294.3, 488.0 }, { 294.3, 494.0 }, { 290.0, 498.0 } }, 0.8);

    // Ratings and fabrication marks, as a board house prints them.
    label(QStringLiteral("8-CH ANALOG OUTPUT"), QPointF(318.0, 23.0), 4.4, Qt::AlignCenter);
    label(QStringLiteral("94V-0  0612"), QPointF(160.0, 560.0), 3.8, Qt::AlignLeft | Qt::AlignVCenter);
    add<TestPoint>(QPointF(100.0, 24.0), QString());
    add<TestPoint>(QPointF(470.0, 566.0), QString());
}

} // namespace board
