#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// The application icon: a green board with its pin header, a jumper and one
// yellow highlight ring, drawn once on a 32-unit grid and rendered at any size.

// The sizes of the hicolor theme that desktops look up.
const QList<int>& appIconSizes();

// The icon `size` pixels square, ARGB32 with a transparent surround. At 32
// pixels, its design size, every pixel is exactly one colour of the drawing's
// palette (the window icon's look); at other sizes the edges are smoothed.
QImage paintAppIcon(int size);

// The 32-pixel icon as the XPM the program embeds, one letter per colour, so
// that a regenerated file is identical to the committed one.
QByteArray encodeAppIconXpm();

// Writes setup_icon.xpm into `folder` and icons/setup_icon_<size>.png for
// every hicolor size beside it.
bool writeAppIcons(const QString& folder, QString* error);
