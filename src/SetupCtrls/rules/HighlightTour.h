#pragma once
// The order in which the keyboard walks a board's highlights: the spots of
// the "&Settings" menu, then "&Calibration", then "&Options", each in its
// menu's order, then any highlight that no menu lists, row by row; of the
// members of a group (which open one popup) only the first, row by row.

#include <QList>

class QWidget;
class TBoardHighlight;

namespace SetupCtrls {

// The highlights on board that can take the focus now, in tour order.
QList<TBoardHighlight*> highlightTour(const QWidget* board);

// The highlight step places from from in its board's tour, going round at
// the ends; from itself when it is alone, nullptr when it is not on the
// tour.
TBoardHighlight* tourNeighbour(const TBoardHighlight* from, int step);

}
