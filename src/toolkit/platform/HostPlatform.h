#pragma once
// What differs between the systems the program runs on, decided in this one
// place: Windows itself, Windows as Wine imitates it on Linux, and the rest.

#include <QString>

class QWidget;

namespace tk {

// Whether the program runs under Wine; false on Windows itself and on every
// other system.
bool runsUnderWine();

// The folder holding the fonts the forms were laid out in ("MS Sans Serif",
// "Tahoma"), for the systems that lack them: Debian's fonts-wine folder on
// Linux; Wine's own font folder under Wine, which ships those fonts yet
// (packaged as Debian does) does not load them into its font list; empty on
// Windows itself, whose own fonts they are.
QString layoutFontFolder();

#ifdef Q_OS_WIN
// Under Wine, before the application starts, adds Windows' own "MS Sans
// Serif" (the bitmap sserife.fon Wine ships in its font folder) for this
// process, so that Qt's Windows font database lists it: Wine's font loader
// passes over the bitmap-only ms_sans_serif.ttf that the Linux build and the
// offscreen platform read. Does nothing on Windows itself.
void addWindowsBitmapFonts();
#endif

// Under Wine, makes the application's default face the one Wine's font
// substitutes name for it ("MS Shell Dlg" is Tahoma there, as on Windows),
// once that face is known: Wine's own drawing of the name would fall back
// to a serif face. Does nothing elsewhere.
void followFontSubstitutes();

// Brings window, just shown, to the foreground above every other program's
// windows, as a Windows message box asked to do so comes. Windows lets a
// program that is not in the foreground only flash its button in the task
// bar; a box that asks a question must be seen. Elsewhere the window is
// raised and activated, which window managers allow.
void bringToForeground(QWidget* window);

// How a shown window stands among all windows: above every window not
// itself on top, and in the foreground (the one the keyboard goes to), as
// Windows itself sees it on its platform and Qt elsewhere.
struct WindowStanding {
    bool topMost = false;
    bool foreground = false;
};
WindowStanding windowStanding(QWidget* window);

}
