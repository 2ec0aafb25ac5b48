#pragma once
// The fonts the forms were laid out for: the outlines of "MS Sans Serif" and
// "Tahoma" that Wine ships outside fontconfig's paths, registered with the
// application where they are installed, and "Verdana" mapped to the nearest
// installed sans, so that texts fit the sizes the forms give them.

#include <QFont>
#include <QString>
#include <QStringList>

namespace tk {

// Where Debian's fonts-wine puts them.
inline constexpr char LayoutFontFolder[] = "/usr/share/wine/fonts";

// Registers the layout fonts found in folder and returns the families that
// were registered; a missing folder or file leaves the system's fallback in
// place. Safe to call more than once: a font already registered is not read
// again.
QStringList registerLayoutFonts(const QString& folder = QString::fromLatin1(LayoutFontFolder));

// The forms' default font, "MS Sans Serif" with characters 11 pixels high,
// when its outline is installed. It comes in that one size only, so it is
// given to the controls laid out for it, not made Qt's default.
bool hasDefaultFormFont();
QFont defaultFormFont();

}
