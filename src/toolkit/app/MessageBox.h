#pragma once
// Modal message boxes with the button sets, icons, default button and
// top-most flags the application uses, behind one function that tests
// replace so that no test ever blocks on a dialog.

#include <QString>
#include <functional>

namespace tk {

enum MessageBoxFlags : unsigned {
    MB_OK = 0x0,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100,
    MB_SETFOREGROUND = 0x10000,
    MB_TOPMOST = 0x40000,
};

enum MessageBoxResult : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDRETRY = 4,
    IDYES = 6,
    IDNO = 7,
};

// Shows a modal box and returns the button chosen.
int messageBox(const QString& text, const QString& caption, unsigned flags);

using MessageBoxHandler = std::function<int(const QString& text, const QString& caption, unsigned flags)>;

// Replaces the function that shows boxes; returns the previous one. An empty
// handler restores the real dialog.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

}
