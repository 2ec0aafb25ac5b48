#pragma once
// The bench sheet: one page to take to the bench, with the board photograph
// at its full detail, the settings in words and the date, written as PDF or
// PNG on the locale's paper (Letter where the locale uses it, A4 elsewhere),
// or printed.

#include <QImage>
#include <QPageLayout>
#include <QPageSize>

class QPainter;
class QPrinter;
class QRect;
class QString;
class TMainForm;

// The paper the user's locale prints on.
QPageSize localePaperSize();
// That paper with the sheet's margins.
QPageLayout benchSheetLayout();

// The board photograph at its full detail with the chosen caps drawn on
// every jumper block the page models.
QImage benchSheetPhotograph(const TMainForm& page);

// Draws the sheet of the page's current choices into area, laid out for a
// device of that many dots per inch.
void paintBenchSheet(const TMainForm& page, QPainter& painter, const QRect& area, int resolution);

// The whole page as a picture, with its resolution recorded so that a
// reader knows the paper's size.
QImage benchSheetImage(const TMainForm& page);

// Writes the sheet of the page's current choices to fileName, a PDF or, for
// a name ending in .png, a picture. A file that cannot be written throws
// tk::Error naming it, and nothing is left behind: an existing file stays as
// it was.
void writeBenchSheet(const TMainForm& page, const QString& fileName);

// Prints the sheet on the printer's page; a printer that refuses it throws
// tk::Error.
void printBenchSheet(const TMainForm& page, QPrinter& printer);
