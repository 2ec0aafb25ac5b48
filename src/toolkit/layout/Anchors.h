#pragma once
// Anchors with the Windows toolkit's meaning: when its parent resizes, a
// control anchored left and right stretches, anchored right only it moves,
// anchored to neither it keeps its centre at the same proportion of the
// parent's width (likewise top and bottom).

#include <QFlags>
#include <QObject>

class QWidget;

namespace tk {
Q_NAMESPACE

enum TAnchorKind {
    akLeft = 0x1,
    akTop = 0x2,
    akRight = 0x4,
    akBottom = 0x8,
};
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_FLAG_NS(TAnchors)

constexpr TAnchors defaultAnchors() { return TAnchors(akLeft) | akTop; }

// Records the control's geometry and its parent's size as they are now and
// from then on follows the parent's resizes by the rules above. A control
// moved or resized by code afterwards is followed from its new geometry.
void setAnchors(QWidget* control, TAnchors anchors);
TAnchors anchors(const QWidget* control);

}

Q_DECLARE_OPERATORS_FOR_FLAGS(tk::TAnchors)
