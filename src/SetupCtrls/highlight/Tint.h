#pragma once
// The tint that makes a highlight's circle out of the picture beneath it: a
// translucent ellipse inscribed in the image, and the colours each kind of
// highlight is tinted with.

#include "SetupCtrls/board/SetupTypes.h"
#include "toolkit/graphics/TColor.h"

#include <QImage>

namespace SetupCtrls {

// A kind's colour and the strengths of its three pictures: at rest, with the
// bright ring, and hovered.
struct TintScheme {
    TColor color;
    float idleAlpha = 0;
    float ringAlpha = 0;
    float hoverAlpha = 0;
};

TintScheme tintSchemeFor(SetupTypes::THighlightType type);

// Tints the ellipse inscribed in the image with tint at strength alpha; ring
// adds the bright ring that runs to white in its middle. The fourth byte of
// every pixel is kept; an image of another format is made 32-bit first. An
// image less than 2 pixels wide or high is left as it is.
void TintEllipse(QImage& image, TColor tint, float alpha, bool ring);

}
