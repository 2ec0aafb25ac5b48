#include "template/BenchSheet.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TRadioPanel.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/JumperBlocks.h"
#include "template/SettingsSummary.h"
#include "template/TMainForm.h"
#include "toolkit/app/Error.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTransform>

#include <algorithm>
#include <vector>

#ifdef __GLIBC__
#include <langinfo.h>
#endif

namespace {

constexpr int kResolution = 300; // dots per inch of the sheet's layout
constexpr qreal kMarginMm = 15.0;
// Enough for the photograph's printed names and the text to read sharp on
// screen and on paper, at about 2 MB of pixels per A4 page.
constexpr int kImageResolution = 150;

QString cannotWrite(const QString& fileName, const QString& why)
{
    return QStringLiteral("The bench sheet cannot be written to %1: %2").arg(QDir::toNativeSeparators(fileName), why);
}

// One header of three pins as the photograph lays it out, with the cap the
// page has chosen.
struct JumperBlock {
    QPointF firstPin; // in the frame the circles are laid out in
    bool vertical;
    SetupTypes::TJumperState state;
    // Whether the jumper may be open, its cap then parked past the last pin
    // (as the photograph shows the span jumpers).
    bool mayOpen;
};

// The circle's rectangle in the frame the circles are laid out in: the
// picture as the board control draws it, which the photograph fills. (The
// photograph's camera tilts the board by a unit or two at its corners; the
// caps drawn over it keep to the layout.)
QRectF frameRect(const TBoardImage& board, const QWidget& circle)
{
    return QRectF(circle.geometry()).translated(-board.destRect().topLeft());
}

// Every block the page models: the span and polarity jumpers of each
// channel's circle and the power jumper.
std::vector<JumperBlock> jumperBlocksOf(const TMainForm& page)
{
    using namespace jumperBlocks;
    const auto* board = page.part<TBoardImage>("BoardImage1");
    const auto* channels = page.part<TRadioPanel>("RSettingsPanel");
    const auto* power = page.part<TRadioPanel>("PowerPanel");
    const SetupTypes::TJumperState span = page.part<TThreeJumper>("RangeJumper")->JumperState();
    const SetupTypes::TJumperState polarity = page.part<TThreeJumper>("PolarityJumper")->JumperState();
    const SetupTypes::TJumperState supply = page.part<TThreeJumper>("BusPowerJumper")->JumperState();
    std::vector<JumperBlock> blocks;
    for (const auto* circle : board->findChildren<TBoardHighlight*>(Qt::FindDirectChildrenOnly)) {
        const QRectF rect = frameRect(*board, *circle);
        if (circle->RadioPanel() == channels) {
            blocks.push_back({ spanFirstPin(rect), false, span, true });
            blocks.push_back({ polarityFirstPin(rect), false, polarity, false });
        } else if (circle->RadioPanel() == power) {
            blocks.push_back({ powerFirstPin(rect), true, supply, false });
        }
    }
    return blocks;
}

// The board's colour around a block: the median of the ring just outside
// it, which pins, tracks and printing cross only here and there.
QColor boardColourAround(const QImage& photo, const QRect& area)
{
    std::vector<int> reds, greens, blues;
    const auto take = [&](int x, int y) {
        if (!photo.rect().contains(x, y))
            return;
        const QRgb pixel = photo.pixel(x, y);
        reds.push_back(qRed(pixel));
        greens.push_back(qGreen(pixel));
        blues.push_back(qBlue(pixel));
    };
    const QRect ring = area.adjusted(-1, -1, 1, 1);
    for (int x = ring.left(); x <= ring.right(); ++x) {
        take(x, ring.top());
        take(x, ring.bottom());
    }
    for (int y = ring.top(); y <= ring.bottom(); ++y) {
        take(ring.left(), y);
        take(ring.right(), y);
    }
    if (reds.empty())
        return QColor(20, 72, 42);
    const auto median = [](std::vector<int>& values) {
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        return values[values.size() / 2];
    };
    return QColor(median(reds), median(greens), median(blues));
}

// Draws the block afresh over the photograph's own: the board's colour over
// the caps it shows, then the header and the chosen cap. toPhoto takes the
// frame to the photograph's pixels.
void drawJumperBlock(QPainter& painter, const QImage& photo, const JumperBlock& block, const QTransform& toPhoto)
{
    using jumperBlocks::kPitch;
    const QPointF along = block.vertical ? QPointF(0, kPitch) : QPointF(kPitch, 0);
    const auto pin = [&](qreal index) { return block.firstPin + along * index; };
    // The cleared area reaches past the last pin where a row's open cap is
    // parked, and over the caps' shadows, stopping short of the printing
    // around the header.
    const QRectF pins = QRectF(pin(0), pin(2)).normalized();
    const qreal parked = block.mayOpen ? kPitch : 0.0;
    const QRectF cleared = block.vertical ? pins.adjusted(-6.0, -6.0, 7.5, 7.0 + parked) : pins.adjusted(-6.0, -6.0, 6.5 + parked, 7.5);
    const QRect clearedPixels = toPhoto.mapRect(cleared).toAlignedRect();
    painter.fillRect(clearedPixels, boardColourAround(photo, clearedPixels));

    painter.save();
    painter.setTransform(toPhoto);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(28, 28, 30));
    painter.drawRect(pins.adjusted(-kPitch / 2, -kPitch / 2, kPitch / 2, kPitch / 2));
    painter.setBrush(QColor(214, 176, 92));
    for (int i = 0; i < 3; ++i)
        painter.drawRect(QRectF(pin(i) - QPointF(1.4, 1.4), QSizeF(2.8, 2.8)));

    // A cap bridges its pair; an open jumper keeps its cap parked on the
    // last pin, hanging past the header.
    const qreal middle = block.state == SetupTypes::jsLeft ? 0.5 : block.state == SetupTypes::jsRight ? 1.5
                                                                                                      : 2.5;
    const QPointF centre = pin(middle);
    const QSizeF size = block.vertical ? QSizeF(9.2, 19.4) : QSizeF(19.4, 9.2);
    const QRectF cap(centre - QPointF(size.width() / 2, size.height() / 2), size);
    const QColor colour = jumperBlocks::capColour();
    painter.setBrush(colour.darker(250));
    painter.drawRoundedRect(cap.translated(1.2, 1.8), 1.6, 1.6);
    painter.setBrush(colour);
    painter.drawRoundedRect(cap, 1.6, 1.6);
    painter.setBrush(colour.lighter(125));
    painter.drawRoundedRect(cap.adjusted(1.1, 1.1, -1.1, -1.1), 1.0, 1.0);
    painter.setBrush(colour.darker(300));
    for (qreal end : { middle - 0.5, middle + 0.5 })
        painter.drawRect(QRectF(pin(end) - QPointF(1.9, 1.9), QSizeF(3.8, 3.8)));
    painter.restore();
}

QFont sheetFont(qreal points, bool bold = false)
{
    QFont font(QStringLiteral("Sans Serif"), -1, bold ? QFont::Bold : QFont::Normal);
    font.setPointSizeF(points);
    return font;
}

}

QPageSize localePaperSize()
{
#ifdef __GLIBC__
    // glibc tells the locale's paper (LC_PAPER, set from the environment as
    // the application starts) in millimetres.
    const auto width = reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_WIDTH));
    const auto height = reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_HEIGHT));
    if (width == 216 && height == 279)
        return QPageSize(QPageSize::Letter);
#endif
    return QPageSize(QPageSize::A4);
}

QImage benchSheetPhotograph(const TMainForm& page)
{
    TPicture* photo = page.part<TBoardImage>("BoardImage1")->Picture();
    QImage board = (photo->hasDoubleDensity() ? photo->doubleDensity() : photo->image()).convertToFormat(QImage::Format_RGB32);
    const QRect frame = page.part<TBoardImage>("BoardImage1")->destRect();
    if (board.isNull() || frame.isEmpty())
        throw tk::Error(QStringLiteral("The page has no board photograph to put on the bench sheet."));
    const QImage asShot = board;
    const QTransform toPhoto = QTransform::fromScale(qreal(board.width()) / frame.width(), qreal(board.height()) / frame.height());
    QPainter painter(&board);
    for (const JumperBlock& block : jumperBlocksOf(page))
        drawJumperBlock(painter, asShot, block, toPhoto);
    return board;
}

void paintBenchSheet(const TMainForm& page, QPainter& painter, const QRect& area, int resolution)
{
    const QImage board = benchSheetPhotograph(page);
    const QString heading = QStringLiteral("%1 jumper settings").arg(page.part<TSetupSupporter>("SetSup")->CardNameA());
    const QString summary = settingsSummary(page) + QStringLiteral(" (The red caps on the photograph stand where this text puts them.)");
    const QString date = QLocale().toString(QDate::currentDate(), QLocale::LongFormat);

    const int gap = resolution / 6;
    QRect box = area;
    painter.setFont(sheetFont(16, true));
    const QRect headingBox = painter.boundingRect(box, Qt::TextWordWrap, heading);
    painter.drawText(box, Qt::TextWordWrap, heading);
    box.setTop(headingBox.bottom() + gap);

    // The text goes below the photograph, which takes what room is left.
    painter.setFont(sheetFont(11));
    const QRect summaryBox = painter.boundingRect(box, Qt::TextWordWrap, summary);
    const QRect dateBox = painter.boundingRect(box, Qt::TextWordWrap, date);
    const int photoRoom = box.height() - summaryBox.height() - dateBox.height() - 2 * gap;
    const QSize photoSize = board.size().scaled(box.width(), photoRoom, Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(box.topLeft(), photoSize), board);
    box.setTop(box.top() + photoSize.height() + gap);

    painter.drawText(box, Qt::TextWordWrap, summary);
    box.setTop(box.top() + summaryBox.height() + gap);
    painter.drawText(box, Qt::TextWordWrap, date);
}

QPageLayout benchSheetLayout()
{
    return QPageLayout(localePaperSize(), QPageLayout::Portrait, QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

QImage benchSheetImage(const TMainForm& page)
{
    const QPageLayout layout = benchSheetLayout();
    QImage image(layout.fullRectPixels(kImageResolution).size(), QImage::Format_RGB32);
    // Fonts take their point sizes from the image's resolution, and a reader
    // learns the page's size from it.
    const int dotsPerMetre = qRound(kImageResolution / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintBenchSheet(page, painter, layout.paintRectPixels(kImageResolution), kImageResolution);
    return image;
}

void writeBenchSheet(const TMainForm& page, const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix != u"pdf" && suffix != u"png")
        throw tk::Error(cannotWrite(fileName, QStringLiteral("the sheet is written as PDF or PNG; give a name ending in .pdf or .png.")));
    // Made before the file is touched, so that a page that cannot be drawn
    // leaves nothing behind.
    const QImage image = suffix == u"png" ? benchSheetImage(page) : QImage();

    // Written aside and put in place only when complete.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw tk::Error(cannotWrite(fileName, file.errorString()));
    if (suffix == u"png") {
        QImageWriter writer(&file, "png");
        if (!writer.write(image))
            throw tk::Error(cannotWrite(fileName, writer.errorString()));
    } else {
        QPdfWriter pdf(&file);
        pdf.setResolution(kResolution);
        pdf.setPageLayout(benchSheetLayout());
        pdf.setTitle(QStringLiteral("%1 jumper settings").arg(page.part<TSetupSupporter>("SetSup")->CardNameA()));
        pdf.setCreator(QStringLiteral("Setup"));
        QPainter painter(&pdf);
        if (!painter.isActive())
            throw tk::Error(cannotWrite(fileName, QStringLiteral("the PDF could not be started.")));
        const QRect area = pdf.pageLayout().paintRectPixels(kResolution);
        paintBenchSheet(page, painter, QRect(QPoint(0, 0), area.size()), kResolution);
        if (!painter.end())
            throw tk::Error(cannotWrite(fileName, QStringLiteral("the PDF could not be finished.")));
    }
    if (!file.commit())
        throw tk::Error(cannotWrite(fileName, file.errorString()));
}

void printBenchSheet(const TMainForm& page, QPrinter& printer)
{
    QPainter painter(&printer);
    if (!painter.isActive())
        throw tk::Error(QStringLiteral("The bench sheet cannot be printed: the printer could not be started."));
    // The painter's origin is the printable area's corner.
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    paintBenchSheet(page, painter, QRect(QPoint(0, 0), area.size()), printer.resolution());
    if (!painter.end())
        throw tk::Error(QStringLiteral("The bench sheet cannot be printed: the printer did not take the page."));
}
