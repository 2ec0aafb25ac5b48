#pragma once
// A highlight circle's three pictures (at rest, with the bright ring, and
// hovered) and what lies beneath the circle until the lit ones are made.

#include "SetupCtrls/highlight/Tint.h"

#include <QImage>

class QWidget;

class HighlightPictures {
public:
    // What lies beneath circle now, a pixel for each device pixel: its
    // parent's background, the board's copy of the photograph where the
    // parent is a board, then the earlier siblings as they paint now (a
    // circle not painted yet has shown nothing so far). Later siblings and
    // the circle itself are above it and never part of it.
    static QImage beneath(QWidget& circle);

    // The circle's first paint, or one on a screen of another density: the
    // idle picture is made at once; beneath and scheme are kept for the lit
    // ones, which most circles never need. Whatever was made before goes.
    void capture(QImage beneath, const SetupCtrls::TintScheme& scheme);
    // The circle lights: the ring and hover pictures are made from what was
    // captured, which is then let go. Later calls change nothing until the
    // next capture.
    void light();

    // Null until captured.
    const QImage& idle() const { return m_idle; }
    // Null until lit.
    const QImage& ring() const { return m_ring; }
    const QImage& hover() const { return m_hover; }

private:
    QImage m_beneath;
    SetupCtrls::TintScheme m_scheme;
    QImage m_idle;
    QImage m_ring;
    QImage m_hover;
};
