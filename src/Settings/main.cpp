// Setup: the jumper setup guide for the USB-QT30-5E board.

#include "template/TMainForm.h"
#include "toolkit/app/Error.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/app/TApplication.h"
#include "toolkit/platform/PlatformChoice.h"

#include <QIcon>

#include <memory>

int main(int argc, char** argv)
{
    // On a Wayland session the program runs through XWayland unless the user
    // chose otherwise: only there do its popups open beside their circles.
    tk::choosePlatform(argc, argv);
    TApplication app(argc, argv);
    // Desktops match the window to its menu entry by these: the window class
    // (the application name) and, where the protocol has one, the entry's
    // name. The names are fixed here so that a renamed copy still matches.
    app.setApplicationName(QStringLiteral("Settings"));
    app.setDesktopFileName(QStringLiteral(SETUP_APP_ID));
    // The program's one icon: 32 x 32 pixels in 16 colours at most.
    app.setWindowIcon(QIcon(QStringLiteral(":/template/images/setup_icon.xpm")));
    std::unique_ptr<TMainForm> mainForm;
    const auto fail = [](const QString& text) {
        tk::messageBox(text, QStringLiteral("Setup"), tk::MB_OK | tk::MB_ICONERROR);
        return 1;
    };
    try {
        mainForm = std::make_unique<TMainForm>();
    } catch (const tk::Error& e) {
        return fail(e.message());
    } catch (const std::exception& e) {
        // Not one of ours: no text was written for the user, so say what
        // failed around what the library says.
        return fail(QStringLiteral("Setup could not build its main window: %1").arg(tk::exceptionText(e)));
    }
    mainForm->show();
    return app.exec();
}
