#include "board/BoardPhoto.h"

#include "Raster.h"
#include "board/BoardLayout.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <vector>

using namespace board;

namespace {

constexpr int kSupersample = 2;
constexpr qreal kFrameWidth = 600.0;
constexpr qreal kFrameHeight = 592.0;
const QRectF kBoard(38.0, 10.0, 549.0, 568.0);
const QColor kTable(214, 214, 210);

// Turns a board layout into a photograph: the parts are painted pass by pass
// into layers at twice the output size, which are lit, shadowed and blurred
// like a camera would see them, and halved at the end.
class PhotoRenderer {
public:
    // `scale` multiplies the photograph's size; blurs and textures grow with
    // it so that a larger photograph shows the same board in finer detail.
    PhotoRenderer(const BoardLayout& layout, int scale);
    QImage render();

    // Ground stitching goes where the first rendering finds room for it;
    // a rendering at another scale takes the same vias.
    const std::vector<QPointF>& stitchingVias() const { return m_stitchingVias; }
    void reuseStitchingVias(const std::vector<QPointF>& vias);

private:
    void setUpCamera();
    QImage layer() const;
    void begin(QPainter& p) const;

    void paintTable(QImage& canvas) const;
    QImage paintBoardMask() const;
    void castBoardShadow(QImage& canvas) const;
    void paintCopper(QImage& canvas) const;
    void paintPartShadows(QImage& nearShadow, QImage& farShadow) const;
    QImage paintSilk() const;
    void addStitchingVias(const QImage& canvas, const QImage& occupied, const QImage& silk);
    void texturiseMask(QImage& canvas, const QImage& boardMask) const;
    void paintPads(QImage& canvas) const;
    void paintVias(QPainter& p) const;
    void printSilk(QImage& canvas, QImage& silk) const;
    void castPartShadows(QImage& canvas, QImage& nearShadow, QImage& farShadow) const;
    void paintBodies(QImage& canvas) const;
    void paintDust(QPainter& p) const;
    void softenLikeALens(QImage& photo) const;
    void lightAndExpose(QImage& photo, const QImage& boardMask) const;

    const BoardLayout& m_layout;
    const int m_scale;
    std::vector<QPointF> m_stitchingVias;
    bool m_stitchingPlaced = false;
    QSize m_size;
    QTransform m_frame;
};

PhotoRenderer::PhotoRenderer(const BoardLayout& layout, int scale)
    : m_layout(layout)
    , m_scale(scale)
{
}

void PhotoRenderer::reuseStitchingVias(const std::vector<QPointF>& vias)
{
    m_stitchingVias = vias;
    m_stitchingPlaced = true;
}

QImage PhotoRenderer::render()
{
    setUpCamera();
    QImage canvas(m_size, QImage::Format_ARGB32_Premultiplied);
    paintTable(canvas);
    const QImage boardMask = paintBoardMask();
    castBoardShadow(canvas);
    paintCopper(canvas);

    QImage nearShadow = layer();
    QImage farShadow = layer();
    paintPartShadows(nearShadow, farShadow);
    QImage silk = paintSilk();
    addStitchingVias(canvas, nearShadow, silk);
    texturiseMask(canvas, boardMask);
    paintPads(canvas);
    printSilk(canvas, silk);
    castPartShadows(canvas, nearShadow, farShadow);
    paintBodies(canvas);

    QImage photo = halveImage(canvas);
    softenLikeALens(photo);
    lightAndExpose(photo, boardMask);
    return photo;
}

void PhotoRenderer::setUpCamera()
{
    m_size = QSize(kPhotoWidth, kPhotoHeight) * (kSupersample * m_scale);
    // The camera is not quite square to the bench: a couple of units of
    // keystone and twist, small enough to keep every part under its circle.
    const QPolygonF flat { kBoard.topLeft(), kBoard.topRight(), kBoard.bottomRight(), kBoard.bottomLeft() };
    const QPolygonF seen { kBoard.topLeft() + QPointF(2.0, 1.0), kBoard.topRight() + QPointF(-2.0, -1.5),
        kBoard.bottomRight() + QPointF(0.5, -1.0), kBoard.bottomLeft() + QPointF(-0.5, 1.5) };
    QTransform tilt;
    QTransform::quadToQuad(flat, seen, tilt);
    m_frame = tilt * QTransform::fromScale(m_size.width() / kFrameWidth, m_size.height() / kFrameHeight);
}

QImage PhotoRenderer::layer() const
{
    QImage img(m_size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void PhotoRenderer::begin(QPainter& p) const
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setTransform(m_frame);
}

QImage PhotoRenderer::paintBoardMask() const
{
    QImage boardMask = layer();
    QPainter p(&boardMask);
    begin(p);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(kBoard, 4.0, 4.0);
    p.drawRoundedRect(kBoard.translated(0.5, 1.6), 4.0, 4.0);
    return boardMask;
}

void PhotoRenderer::castBoardShadow(QImage& canvas) const
{
    // The board's own shadow on the bench: a tight contact shadow and a
    // wide soft one from the light up and to the left.
    QImage shadow = layer();
    QPainter s(&shadow);
    begin(s);
    s.setPen(Qt::NoPen);
    s.setBrush(QColor(0, 0, 0, 150));
    s.drawRoundedRect(kBoard.translated(1.5, 2.2), 4.0, 4.0);
    s.setBrush(QColor(0, 0, 0, 110));
    s.drawRoundedRect(kBoard.translated(6.0, 9.0), 6.0, 6.0);
    s.end();
    blurPremultiplied(shadow, 9 * m_scale);
    QPainter p(&canvas);
    p.drawImage(0, 0, shadow);
}

void PhotoRenderer::paintPartShadows(QImage& nearShadow, QImage& farShadow) const
{
    QPainter n(&nearShadow);
    QPainter f(&farShadow);
    begin(n);
    begin(f);
    for (const auto& part : m_layout.parts())
        part->shadow(n, f);
}

QImage PhotoRenderer::paintSilk() const
{
    QImage silk = layer();
    QPainter s(&silk);
    begin(s);
    // Silkscreen never registers perfectly with copper.
    s.translate(0.35, -0.25);
    for (const auto& part : m_layout.parts())
        part->silk(s);
    for (const Label& l : m_layout.labels())
        drawLabel(s, l.text, l.at, l.height, l.align, colour::silk, l.angle);
    s.setPen(QPen(colour::silk, 0.75));
    s.setBrush(Qt::NoBrush);
    for (const QPainterPath& path : m_layout.silkLines())
        s.drawPath(path);
    return silk;
}

void PhotoRenderer::paintPads(QImage& canvas) const
{
    QPainter p(&canvas);
    begin(p);
    paintVias(p);
    for (const auto& part : m_layout.parts())
        part->pads(p);
}

void PhotoRenderer::printSilk(QImage& canvas, QImage& silk) const
{
    // Screen-printed ink is a little uneven.
    for (int y = 0; y < silk.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(silk.scanLine(y));
        for (int x = 0; x < silk.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            const float f = 0.80f + 0.2f * valueNoise(float(x) / (3.0f * m_scale), float(y) / (3.0f * m_scale), 0x51C);
            const QRgb c = line[x];
            line[x] = qRgba(int(qRed(c) * f), int(qGreen(c) * f), int(qBlue(c) * f), int(qAlpha(c) * f));
        }
    }
    QPainter p(&canvas);
    p.drawImage(0, 0, silk);
}

void PhotoRenderer::castPartShadows(QImage& canvas, QImage& nearShadow, QImage& farShadow) const
{
    blurPremultiplied(nearShadow, 2 * m_scale);
    blurPremultiplied(farShadow, 8 * m_scale);
    QPainter p(&canvas);
    p.setOpacity(0.55);
    p.drawImage(0, 0, farShadow);
    p.setOpacity(0.6);
    p.drawImage(0, 0, nearShadow);
}

void PhotoRenderer::paintBodies(QImage& canvas) const
{
    QPainter p(&canvas);
    begin(p);
    for (const auto& part : m_layout.parts())
        part->body(p);
    paintDust(p);
}

void PhotoRenderer::paintTable(QImage& canvas) const
{
    // A matte grey bench: brighter towards the light, with a faint blotchy
    // texture at a scale of a few centimetres.
    const int w = canvas.width();
    const int h = canvas.height();
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const float fx = float(x) / float(w);
            const float fy = float(y) / float(h);
            const float light = 1.04f - 0.09f * fx - 0.07f * fy;
            const float blotch = (fractalNoise(float(x) / (90.0f * m_scale), float(y) / (90.0f * m_scale), 3, 0x7AB1E) - 0.5f) * 0.05f;
            const float f = light + blotch;
            line[x] = qRgb(std::clamp(int(kTable.red() * f), 0, 255), std::clamp(int(kTable.green() * f), 0, 255),
                std::clamp(int(kTable.blue() * f * 0.99f), 0, 255));
        }
    }
}

void PhotoRenderer::paintCopper(QImage& canvas) const
{
    QPainter p(&canvas);
    begin(p);
    p.setPen(Qt::NoPen);
    // The camera sits a little in front of the board, so the cut edge of the
    // laminate shows as a pale sliver along the near side.
    p.setBrush(QColor(132, 140, 96));
    p.drawRoundedRect(kBoard.translated(0.5, 1.6), 4.0, 4.0);
    p.setBrush(colour::laminate);
    p.drawRoundedRect(kBoard, 4.0, 4.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 170, 120, 90), 0.6));
    p.drawLine(kBoard.topLeft() + QPointF(4.0, 0.3), kBoard.topRight() + QPointF(-4.0, 0.3));
    p.setPen(Qt::NoPen);
    // Ground pour over the whole board, pulled back from the routed edge.
    p.setBrush(colour::copper);
    p.drawRoundedRect(kBoard.adjusted(3.0, 3.0, -3.0, -3.0), 3.0, 3.0);

    // Clearances first, everywhere, so a later track never gets cut by an
    // earlier one's gap.
    const QColor gap = colour::laminate;
    for (const Trace& t : m_layout.traces()) {
        p.setPen(QPen(gap, t.width + 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(t.path);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(gap);
    for (const auto& part : m_layout.parts())
        part->clearance(p);

    // Mask lies thinner on the crown of a track and pools along its edges,
    // so tracks read as slightly lighter ridges lit from the top left.
    for (const Trace& t : m_layout.traces()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colour::copper.darker(112), t.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(t.path.translated(0.25, 0.3));
        p.setPen(QPen(colour::copper.lighter(112), t.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(t.path.translated(-0.15, -0.2));
        p.setPen(QPen(colour::copper, t.width * 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(t.path);
    }
}

void PhotoRenderer::paintVias(QPainter& p) const
{
    p.setPen(Qt::NoPen);
    std::vector<QPointF> vias = m_layout.vias();
    vias.insert(vias.end(), m_stitchingVias.begin(), m_stitchingVias.end());
    for (QPointF v : vias) {
        // Tented vias: the ring shows through the mask, the drill stays dark.
        QRadialGradient ring(v - QPointF(0.6, 0.6), 2.6);
        ring.setColorAt(0.0, colour::copper.lighter(165));
        ring.setColorAt(1.0, colour::copper.lighter(118));
        p.setBrush(ring);
        p.drawEllipse(v, 2.0, 2.0);
        p.setBrush(QColor(10, 40, 22));
        p.drawEllipse(v, 0.9, 0.9);
    }
}

void PhotoRenderer::addStitchingVias(const QImage& canvas, const QImage& occupied, const QImage& silk)
{
    if (m_stitchingPlaced)
        return;
    m_stitchingPlaced = true;
    // Ground stitching on a loose jittered grid wherever the pour is
    // unbroken and nothing sits on top.
    Rng rng(0x5717C4);
    const QRgb pour = colour::copper.rgb();
    const QTransform toCanvas = m_frame;
    for (qreal y = kBoard.top() + 14.0; y < kBoard.bottom() - 10.0; y += 21.0) {
        for (qreal x = kBoard.left() + 14.0; x < kBoard.right() - 10.0; x += 23.0) {
            const QPointF c(x + rng.uniform(-5.0, 5.0), y + rng.uniform(-5.0, 5.0));
            if (!rng.chance(0.7))
                continue;
            const QPoint pc = toCanvas.map(c).toPoint();
            bool clear = true;
            const int r = 9 * m_scale;
            for (int dy = -r; dy <= r && clear; ++dy)
                for (int dx = -r; dx <= r && clear; ++dx) {
                    const QPoint q = pc + QPoint(dx, dy);
                    if (!canvas.rect().contains(q))
                        clear = false;
                    else if (canvas.pixel(q) != pour || qAlpha(occupied.pixel(q)) != 0 || qAlpha(silk.pixel(q)) != 0)
                        clear = false;
                }
            if (clear)
                m_stitchingVias.push_back(c);
        }
    }
}

void PhotoRenderer::texturiseMask(QImage& canvas, const QImage& boardMask) const
{
    // Uneven mask thickness and the glass weave underneath give a soft,
    // low-contrast mottle.
    for (int y = 0; y < canvas.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        const QRgb* mask = reinterpret_cast<const QRgb*>(boardMask.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            if (qAlpha(mask[x]) == 0)
                continue;
            const float coarse = fractalNoise(float(x) / (140.0f * m_scale), float(y) / (140.0f * m_scale), 3, 0x3A5C);
            const float fine = valueNoise(float(x) / (5.0f * m_scale), float(y) / (5.0f * m_scale), 0x11F);
            const float f = 0.90f + 0.18f * coarse + 0.04f * (fine - 0.5f);
            const QRgb c = line[x];
            line[x] = qRgb(std::min(255, int(qRed(c) * f)), std::min(255, int(qGreen(c) * f)),
                std::min(255, int(qBlue(c) * f)));
        }
    }
}

void PhotoRenderer::paintDust(QPainter& p) const
{
    // However clean the bench, a macro shot finds a few motes of dust and a fibre.
    Rng rng(0xD057);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 45; ++i) {
        const QPointF at(rng.uniform(kBoard.left() + 4, kBoard.right() - 4), rng.uniform(kBoard.top() + 4, kBoard.bottom() - 4));
        const qreal r = rng.uniform(0.25, 0.7);
        p.setBrush(QColor(236, 234, 226, rng.range(50, 140)));
        p.drawEllipse(at, r, r * rng.uniform(0.6, 1.0));
    }
    for (int i = 0; i < 3; ++i) {
        const QPointF a(rng.uniform(kBoard.left() + 20, kBoard.right() - 20), rng.uniform(kBoard.top() + 20, kBoard.bottom() - 20));
        QPainterPath fibre;
        fibre.moveTo(a);
        fibre.cubicTo(a + QPointF(rng.uniform(-6, 6), rng.uniform(-6, 6)), a + QPointF(rng.uniform(-8, 8), rng.uniform(-8, 8)),
            a + QPointF(rng.uniform(-12, 12), rng.uniform(-12, 12)));
        p.setPen(QPen(QColor(230, 228, 220, 70), 0.3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(fibre);
    }
}

void PhotoRenderer::softenLikeALens(QImage& photo) const
{
    const int w = photo.width();
    const int h = photo.height();
    // A real lens is never quite as crisp as supersampled vector art.
    const QImage sharp = photo.copy();
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int acc[3] = { 0, 0, 0 };
            int total = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = std::clamp(x + dx, 0, w - 1);
                    const int sy = std::clamp(y + dy, 0, h - 1);
                    const int weight = (dx == 0 ? 2 : 1) * (dy == 0 ? 2 : 1) * (dx == 0 && dy == 0 ? 3 : 1);
                    const QRgb c = sharp.pixel(sx, sy);
                    acc[0] += qRed(c) * weight;
                    acc[1] += qGreen(c) * weight;
                    acc[2] += qBlue(c) * weight;
                    total += weight;
                }
            line[x] = qRgb(acc[0] / total, acc[1] / total, acc[2] / total);
        }
    }
}

void PhotoRenderer::lightAndExpose(QImage& photo, const QImage& boardMask) const
{
    const int w = photo.width();
    const int h = photo.height();
    // Lighting and camera: one softbox up and to the left lights the bench
    // unevenly and shows as a long soft reflection in the glossy mask; the
    // lens darkens the corners; white balance is a touch warm; the sensor
    // adds grain.
    const float cosA = std::cos(-0.62f);
    const float sinA = std::sin(-0.62f);
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const float onBoard = qAlpha(boardMask.pixel(std::min(kSupersample * x, boardMask.width() - 1),
                                      std::min(kSupersample * y, boardMask.height() - 1)))
                / 255.0f;
            const float u = float(x) / float(w);
            const float v = float(y) / float(h);
            const float nx = (u - 0.47f) * 2.0f;
            const float ny = (v - 0.45f) * 2.0f;
            const float vignette = 1.0f - 0.2f * std::pow(std::min(1.8f, nx * nx + ny * ny), 1.3f);
            const float light = (1.06f - 0.10f * u - 0.09f * v) * vignette;
            const float du = u - 0.30f;
            const float dv = v - 0.34f;
            const float along = (du * cosA - dv * sinA) / 0.42f;
            const float across = (du * sinA + dv * cosA) / 0.10f;
            const float reflection = std::exp(-(along * along + across * across)) * (6.0f + 16.0f * onBoard);
            const float broad = std::exp(-((u - 0.28f) * (u - 0.28f) + (v - 0.22f) * (v - 0.22f)) * 5.0f) * 8.0f * onBoard;
            const float add = reflection + broad;
            const float grain = hashNoise(x, y, 0x6A1) * 2.0f + hashNoise(x, y, 0x6A2) * 1.2f;
            const float chroma = hashNoise(x, y, 0x6A3) * 1.0f;
            const QRgb c = line[x];
            const float r = qRed(c) * light * 1.02f + add * 0.98f + grain + chroma;
            const float g = qGreen(c) * light + add + grain;
            const float b = qBlue(c) * light * 0.965f + add * 1.03f + grain - chroma;
            line[x] = qRgb(std::clamp(int(std::lround(r)), 0, 255), std::clamp(int(std::lround(g)), 0, 255),
                std::clamp(int(std::lround(b)), 0, 255));
        }
    }
}

} // namespace

BoardPhotos paintBoardPhotos(const Spots& spots)
{
    const BoardLayout layout(spots);
    PhotoRenderer normal(layout, 1);
    BoardPhotos photos;
    photos.normal = normal.render();
    PhotoRenderer large(layout, 2);
    large.reuseStitchingVias(normal.stitchingVias());
    photos.large = large.render();
    return photos;
}

QImage spotOverlay(const QImage& photo, const Spots& spots)
{
    QImage out = photo.convertToFormat(QImage::Format_RGB32);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(photo.width() / kFrameWidth, photo.height() / kFrameHeight);
    p.setPen(QPen(QColor(255, 40, 200), 1.0));
    p.setBrush(QColor(255, 255, 0, 40));
    for (const QRectF& rect : spots)
        p.drawRect(rect);
    return out;
}
