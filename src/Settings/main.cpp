// Setup: the jumper setup guide for the USB-QT30-5E board.

#include "template/BenchSheet.h"
#include "template/TMainForm.h"
#include "toolkit/app/Error.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/app/TApplication.h"
#include "toolkit/controls/TComboBox.h"
#include "toolkit/controls/TRadioButton.h"
#include "toolkit/platform/PlatformChoice.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>

#include <algorithm>
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

// What the command line asks for besides the window.
struct CommandLine {
    // Set when the program should end without its window, with this status.
    std::optional<int> status;
    // The bench sheet to write instead of showing the window, with the
    // choices to make first (empty: the page's own).
    QString sheet;
    QString range;
    QString power;
};

CommandLine endWith(int status)
{
    CommandLine line;
    line.status = status;
    return line;
}

// The options that Qt's application objects take out of the command line
// themselves (-platform and the like), with one dash or two.
bool isQtOption(const QString& option)
{
    static const QStringList options { "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
        "qwindowicon", "qwindowtitle", "reverse", "session", "display", "name", "title", "geometry", "icon", "visual",
        "ncols", "cmap", "nograb", "dograb", "style", "stylesheet", "widgetcount", "qmljsdebugger", "testability" };
    return options.contains(option);
}

void reportError(const QString& name, const QString& error)
{
    print(stderr, QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(name, error));
}

// Reads the command line as a Unix command does: --help and --version
// answer on standard output, anything else unknown is an error (status 2).
// Before the application exists, Qt's own options (-platform and the like)
// are not yet taken out, so a line the parser does not understand is judged
// only once they are (qtOptionsRemoved).
CommandLine answerCommandLine(const QStringList& arguments, bool qtOptionsRemoved)
{
    QCommandLineParser parser;
    // Qt's own options are words after one dash (-platform), not letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("Shows how to set the jumpers of the USB-QT30-5E board."));
    // Not Qt's help option, which adds --help-all for Qt's own options: they
    // are not listed before the application exists.
    const QCommandLineOption help({ QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption sheet(QStringLiteral("sheet"),
        QStringLiteral("Writes the bench sheet (the board, the settings in words and the date) to <file>, a PDF or (for a name ending in .png) a picture, and ends without showing a window."),
        QStringLiteral("file"));
    const QCommandLineOption range(QStringLiteral("range"),
        QStringLiteral("With --sheet: the output range, as the range selector names it (\"-5 to 5V\"); otherwise 0 to 10V."),
        QStringLiteral("text"));
    const QCommandLineOption power(QStringLiteral("power"),
        QStringLiteral("With --sheet: the +5V source, usb or external; otherwise usb."), QStringLiteral("source"));
    parser.addOptions({ sheet, range, power });
    const QString name = QFileInfo(arguments.value(0)).fileName();
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        // An option that is neither the program's nor Qt's is an error at
        // once: judged only once Qt has opened its display, it would never
        // be reported where there is none.
        const QStringList unknown = parser.unknownOptionNames();
        const bool onlyQtsOwn = std::all_of(unknown.begin(), unknown.end(), [](const QString& option) { return isQtOption(option); });
        if (!qtOptionsRemoved && onlyQtsOwn)
            return {};
        reportError(name, parser.errorText().isEmpty() ? QStringLiteral("takes no arguments, but was given \"%1\".").arg(parser.positionalArguments().constFirst()) : parser.errorText());
        return endWith(2);
    }
    if (parser.isSet(help)) {
        // Qt's usage line names the executable only once an application
        // exists; the rest of its text is kept.
        print(stdout, QStringLiteral("Usage: %1 [options]\n%2").arg(name, parser.helpText().section(u'\n', 1)));
        return endWith(0);
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(name, QStringLiteral(SETUP_VERSION)));
        return endWith(0);
    }
    CommandLine line { std::nullopt, parser.value(sheet), parser.value(range), parser.value(power) };
    QString error;
    if (!parser.isSet(sheet) && (parser.isSet(range) || parser.isSet(power)))
        error = QStringLiteral("--range and --power choose what --sheet writes; give --sheet too.");
    else if (parser.isSet(sheet) && !line.sheet.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) && !line.sheet.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        error = QStringLiteral("--sheet writes a PDF or a PNG: give a file name ending in .pdf or .png, not \"%1\".").arg(line.sheet);
    else if (parser.isSet(power) && line.power != QStringLiteral("usb") && line.power != QStringLiteral("external"))
        error = QStringLiteral("--power takes usb or external, not \"%1\".").arg(line.power);
    if (!error.isEmpty()) {
        reportError(name, error);
        line.status = 2;
    }
    return line;
}

// Makes the command line's choices on the page as a user would, then writes
// the sheet. Returns the exit status.
int writeSheet(TMainForm& page, const CommandLine& line, const QString& name)
{
    if (!line.range.isEmpty()) {
        auto* selector = page.part<TComboBox>("ComboBox1");
        const int item = selector->findText(line.range);
        if (item < 0) {
            QStringList ranges;
            for (int i = 0; i < selector->count(); ++i)
                ranges.push_back(u'"' + selector->itemText(i) + u'"');
            reportError(name, QStringLiteral("--range \"%1\" names no range; the ranges are %2.").arg(line.range, ranges.join(QStringLiteral(", "))));
            return 2;
        }
        selector->setItemIndex(item);
        page.ComboBox1Change(selector);
    }
    if (!line.power.isEmpty())
        page.part<TRadioButton>(line.power == QStringLiteral("usb") ? "BusPowerRadio" : "ExtPowerRadio")->click();
    try {
        writeBenchSheet(page, line.sheet);
    } catch (const tk::Error& e) {
        print(stderr, QStringLiteral("%1: %2\n").arg(name, e.message()));
        return 2;
    }
    return 0;
}

}

int main(int argc, char** argv)
{
    // Help and version need no display, so they answer before Qt opens one.
    const QStringList arguments = argumentsOf(argc, argv);
    if (const auto status = answerCommandLine(arguments, false).status)
        return *status;
    // The sheet needs no display either, nor does the error for a line that
    // asks for one (judged only once the application exists); a -platform on
    // the command line still wins.
    const auto asksForSheet = [](const QString& argument) { return argument == u"--sheet" || argument.startsWith(u"--sheet="); };
    if (std::any_of(arguments.begin(), arguments.end(), asksForSheet))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // On a Wayland session the program runs through XWayland unless the user
    // chose otherwise: only there do its popups open beside their circles.
    tk::choosePlatform(argc, argv);
    TApplication app(argc, argv);
    const CommandLine line = answerCommandLine(app.arguments(), true);
    if (line.status)
        return *line.status;
    // Desktops match the window to its menu entry by these: the window class
    // (the application name) and, where the protocol has one, the entry's
    // name. The names are fixed here so that a renamed copy still matches.
    app.setApplicationName(QStringLiteral("Settings"));
    app.setDesktopFileName(QStringLiteral(SETUP_APP_ID));
    // The program's one icon: 32 x 32 pixels in 16 colours at most.
    app.setWindowIcon(QIcon(QStringLiteral(":/template/images/setup_icon.xpm")));
    std::unique_ptr<TMainForm> mainForm;
    const auto fail = [&line](const QString& text) {
        // Without a window there is no one to click a message box away.
        if (!line.sheet.isEmpty()) {
            print(stderr, text + u'\n');
            return 1;
        }
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
    if (!line.sheet.isEmpty()) {
        try {
            return writeSheet(*mainForm, line, QFileInfo(app.arguments().value(0)).fileName());
        } catch (const tk::Error& e) {
            print(stderr, e.message() + u'\n');
            return 1;
        }
    }
    mainForm->show();
    return app.exec();
}
