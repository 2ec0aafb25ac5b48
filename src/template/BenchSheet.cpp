#include "template/BenchSheet.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/SettingsSummary.h"
#include "template/TMainForm.h"
#include "toolkit/app/Error.h"

#include <QDate>
#include <QDir>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#ifdef __GLIBC__
#include <langinfo.h>
#endif

namespace {

constexpr int kResolution = 300; // dots per inch of the sheet's layout
constexpr qreal kMarginMm = 15.0;

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

void writeBenchSheet(const TMainForm& page, const QString& fileName)
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

    // Written aside and put in place only when complete.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw tk::Error(cannotWrite(fileName, file.errorString()));
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(kResolution);
        pdf.setPageSize(localePaperSize());
        pdf.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
        pdf.setTitle(heading);
        pdf.setCreator(QStringLiteral("Setup"));
        QPainter painter(&pdf);
        if (!painter.isActive())
            throw tk::Error(cannotWrite(fileName, QStringLiteral("the PDF could not be started.")));
        const QRect area = pdf.pageLayout().paintRectPixels(kResolution);
        const int gap = kResolution / 6;
        QRect box(0, 0, area.width(), area.height());

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
        if (!painter.end())
            throw tk::Error(cannotWrite(fileName, QStringLiteral("the PDF could not be finished.")));
    }
    if (!file.commit())
        throw tk::Error(cannotWrite(fileName, file.errorString()));
}
