#pragma once
// What screen readers learn of the board page's own controls: each circle is
// a button named by its spot, described by its kind in words (what its
// colour means) and checked while its popup is pinned; each jumper picture
// tells its position in the words of the labels beside it; a popup and the
// supporter's dialogs are dialogs, a popup's text their description; the
// photograph is a picture with a name and a description.

#include "SetupCtrls/board/SetupTypes.h"

#include <QString>

class QWidget;
class TThreeJumper;

namespace SetupCtrls {

// "jumper setting", "information" or "calibration".
QString kindInWords(SetupTypes::THighlightType type);

// Tells listening screen readers of each circle whose checked state (its
// group's popup shown and pinned) has changed since they were last told;
// nothing when none listens.
void announceCheckedChanges();

// Tells listening screen readers that jumper's cap has moved, in words they
// speak whether the focus is on the picture or elsewhere.
void announceMove(TThreeJumper* jumper);

// Tells listening screen readers once more, after the window's activation,
// which control of window has the focus: the focus set as a window opens is
// often reported before its activation, and then not spoken.
void announceFocusAgain(QWidget* window);

// Makes listening screen readers meet root and the controls in it anew, as
// part of the window root now lies in: a screen reader remembers each
// object's parent, and Qt tells it of no change of parent, so without this
// Orca 48 takes the controls of a panel moved into a popup for controls of
// the main window and keeps quiet about their focus.
void announceNewParent(QWidget* root);

// Makes Qt ask this layer for the circles' and jumper pictures' accessible
// objects; once is enough, again does nothing.
void installBoardAccessibility();

}
