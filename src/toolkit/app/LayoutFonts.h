#pragma once
// The fonts the forms were laid out for: "MS Sans Serif" (bitmaps of a few
// sizes) and the "Tahoma" outlines that Wine ships outside fontconfig's
// paths, registered with the application where they are installed, and
// "Verdana" mapped to the nearest installed sans, so that texts fit the sizes
// the forms give them. On a screen of another density a bitmap face gives way
// to a scalable one.

#include "toolkit/platform/HostPlatform.h"

#include <QFont>
#include <QString>
#include <QStringList>

class QWidget;

namespace tk {

// Where Debian's fonts-wine puts them; layoutFontFolder() says where this
// system keeps them.
inline constexpr char LayoutFontFolder[] = "/usr/share/wine/fonts";

// Registers the layout fonts found in folder and returns the families that
// were registered; no folder (Windows' own fonts), a missing folder or file
// leaves the system's fonts or fallback in
// place, and so does anything there that is not a regular file (opening a
// named pipe would wait for a writer for ever). Safe to call more than once: a font already registered is not read
// again.
QStringList registerLayoutFonts(const QString& folder = layoutFontFolder());

// The forms' default font, "MS Sans Serif" with characters 11 pixels high,
// when its face is installed. Its bitmaps come in a few sizes only, so it is
// given to the controls laid out for it, not made Qt's default.
bool hasDefaultFormFont();
QFont defaultFormFont();

// font as it should draw at ratio device pixels to the logical pixel: itself
// where its face is scalable or has a bitmap of the device size, otherwise
// the same size in the system's scalable face (the one text falls back to
// without the layout fonts). A bitmap face asked for another size draws its
// own size at scaled spacing.
QFont fontForRatio(const QFont& font, qreal ratio);

// Keeps window's text drawn by fontForRatio of the font it was given, at the
// window's device pixel ratio, now and whenever the window moves to a screen
// of another ratio. A font set on the window later is taken as its new
// laid-out font.
void followDevicePixelRatio(QWidget* window);

// The font widget was laid out in: its window's font before any stand-in
// when widget shows its window's font, otherwise its own.
QFont laidOutFont(const QWidget* widget);

}
