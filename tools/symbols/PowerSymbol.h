#pragma once

#include <QImage>

// The DC-input polarity legend shown beside the jack: "GND" joined to the
// sleeve ring, "+5V" joined to the centre pin. Returned as an 8-bit indexed
// image whose palette is a grey ramp, index 0 black and 255 white, so the
// anti-aliased edges survive the trip into a paletted BMP.
// `scale` multiplies the 164 x 71 size, for screens of higher density.
QImage paintPowerSymbol(int scale = 1);
