#pragma once
// The kinds and states shared by the board-picture controls and the pages
// built from them.

#include <QObject>

namespace SetupTypes {
Q_NAMESPACE

// The kind of a highlight: its colour scheme and its menu.
enum THighlightType : quint8 {
    htOptions = 0,
    htSettings = 1,
    htCalibration = 2,
};
Q_ENUM_NS(THighlightType)

// Where a three-position jumper's cap sits.
enum TJumperState : quint8 {
    jsOpen = 0,
    jsLeft = 1,
    jsRight = 2,
};
Q_ENUM_NS(TJumperState)

// The direction in which a jumper picture is drawn.
enum TOrientationType : quint8 {
    otUp = 0,
    otDown = 1,
    otLeft = 2,
    otRight = 3,
};
Q_ENUM_NS(TOrientationType)

// Whether a jumper's base has a black outline.
enum TBorderStyle : quint8 {
    bsNone = 0,
    bsSingle = 1,
};
Q_ENUM_NS(TBorderStyle)

}
