#pragma once
// The bench sheet: one page to take to the bench, with the board photograph
// at its full detail, the settings in words and the date, written as PDF on
// the locale's paper (Letter where the locale uses it, A4 elsewhere).

#include <QPageSize>

class QString;
class TMainForm;

// The paper the user's locale prints on.
QPageSize localePaperSize();

// Writes the sheet of the page's current choices to fileName. A file that
// cannot be written throws tk::Error naming it, and nothing is left behind:
// an existing file stays as it was.
void writeBenchSheet(const TMainForm& page, const QString& fileName);
