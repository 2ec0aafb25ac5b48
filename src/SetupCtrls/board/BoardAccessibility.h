#pragma once
// What screen readers learn of the board page's own controls: each circle is
// a button named by its spot, described by its kind in words (what its
// colour means) and pressed while its popup is pinned; each jumper picture
// tells its position in the words of the labels beside it.

#include "SetupCtrls/board/SetupTypes.h"

#include <QString>

namespace SetupCtrls {

// "jumper setting", "information" or "calibration".
QString kindInWords(SetupTypes::THighlightType type);

// Tells listening screen readers of each circle whose pressed state (its
// group's popup shown and pinned) has changed since they were last told;
// nothing when none listens.
void announcePressedChanges();

// Makes Qt ask this layer for the circles' and jumper pictures' accessible
// objects; once is enough, again does nothing.
void installBoardAccessibility();

}
