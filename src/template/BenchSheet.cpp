#include "template/BenchSheet.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/support/TSetupSupporter.h"
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

void paintBenchSheet(const TMainForm& page, QPainter& painter, const QRect& area, int resolution)
{
    const TPicture* photo = page.part<TBoardImage>("BoardImage1")->Picture();
    const QImage board = photo->hasDoubleDensity() ? photo->doubleDensity() : photo->image();
    if (board.isNull())
        throw tk::Error(QStringLiteral("The page has no board photograph to put on the bench sheet."));
    const QString heading = QStringLiteral("%1 jumper settings").arg(page.part<TSetupSupporter>("SetSup")->CardNameA());
    // The photograph shows the caps where the board ships with them, which
    // need not be the chosen ones.
    const QString summary = settingsSummary(page)
        + QStringLiteral(" (The photograph shows the board as it ships; set the caps as this text says.)");
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
