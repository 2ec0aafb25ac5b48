// Setup: the jumper setup guide for the USB-QT30-5E board.

#include "template/TMainForm.h"
#include "toolkit/app/Error.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/app/TApplication.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

void print(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// Reads the command line as a Unix command does: --help and --version
// answer on standard output, anything else unknown is an error (status 2).
// Returns the exit status when the program should end without its window.
// Before the application exists, Qt's own options (-platform and the like)
// are not yet taken out, so a line the parser does not understand is judged
// only once they are (qtOptionsRemoved).
std::optional<int> answerCommandLine(const QStringList& arguments, bool qtOptionsRemoved)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows how to set the jumpers of the USB-QT30-5E board."));
    // Not Qt's help option, which adds --help-all for Qt's own options: they
    // are not listed before the application exists.
    const QCommandLineOption help({ QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QString name = QFileInfo(arguments.value(0)).fileName();
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        if (!qtOptionsRemoved)
            return std::nullopt;
        const QString error = parser.errorText().isEmpty()
            ? QStringLiteral("takes no arguments, but was given \"%1\".").arg(parser.positionalArguments().constFirst())
            : parser.errorText();
        print(stderr, QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(name, error));
        return 2;
    }
    if (parser.isSet(help)) {
        // Qt's usage line names the executable only once an application
        // exists; the rest of its text is kept.
        print(stdout, QStringLiteral("Usage: %1 [options]\n%2").arg(name, parser.helpText().section(u'\n', 1)));
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(name, QStringLiteral(SETUP_VERSION)));
        return 0;
    }
    return std::nullopt;
}

}

int main(int argc, char** argv)
{
    // Help and version need no display, so they answer before Qt opens one.
    if (const auto status = answerCommandLine(argumentsOf(argc, argv), false))
        return *status;
    TApplication app(argc, argv);
    if (const auto status = answerCommandLine(app.arguments(), true))
        return *status;
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
