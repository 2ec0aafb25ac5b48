#include "toolkit/platform/HostPlatform.h"

#include "toolkit/app/LayoutFonts.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QSettings>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tk {

bool runsUnderWine()
{
#ifdef Q_OS_WIN
    // Wine's ntdll exports its version; Windows' does not.
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

QString layoutFontFolder()
{
#ifdef Q_OS_WIN
    if (!runsUnderWine())
        return {};
    // Wine names its data folder (where fonts-wine puts the fonts) for its
    // programs, as an NT path: \??\Z:\usr\share\wine.
    QString data = qEnvironmentVariable("WINEDATADIR");
    if (data.startsWith(QLatin1String("\\??\\")))
        data.remove(0, 4);
    return data.isEmpty() ? QString() : QDir::fromNativeSeparators(data) + QLatin1String("/fonts");
#else
    return QString::fromLatin1(LayoutFontFolder);
#endif
}

#ifdef Q_OS_WIN
void addWindowsBitmapFonts()
{
    if (!runsUnderWine())
        return;
    const QString folder = layoutFontFolder();
    if (folder.isEmpty())
        return;
    // Private to this process; added before Qt lists the system's families,
    // so the list has it from the start.
    const QString file = QDir::toNativeSeparators(folder + QLatin1String("/sserife.fon"));
    AddFontResourceExW(reinterpret_cast<const wchar_t*>(file.utf16()), FR_PRIVATE, nullptr);
}
#endif

void followFontSubstitutes()
{
#ifdef Q_OS_WIN
    if (!runsUnderWine())
        return;
    const QSettings substitutes(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes"),
        QSettings::NativeFormat);
    // The application's font and the ones Windows' theme gives its menus,
    // boxes and tips.
    for (const char* className : { static_cast<const char*>(nullptr), "QMenuBar", "QMenu", "QMessageBox", "QTipLabel", "QStatusBar" }) {
        QFont font = QApplication::font(className);
        const QString face = substitutes.value(font.family()).toString();
        if (face.isEmpty() || !QFontDatabase::hasFamily(face))
            continue;
        font.setFamily(face);
        QApplication::setFont(font, className);
    }
#endif
}

void bringToForeground(QWidget* window)
{
    window->raise();
    window->activateWindow();
#ifdef Q_OS_WIN
    if (QGuiApplication::platformName() != QLatin1String("windows"))
        return;
    const HWND hwnd = reinterpret_cast<HWND>(window->winId());
    // Windows gives the foreground to a thread whose input is attached to
    // the foreground window's thread, as it does to a message box that asks
    // for it.
    const DWORD own = GetCurrentThreadId();
    const DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    const bool attached = foreground && foreground != own && AttachThreadInput(own, foreground, TRUE);
    BringWindowToTop(hwnd);
    SetForegroundWindow(hwnd);
    if (attached)
        AttachThreadInput(own, foreground, FALSE);
#endif
}

WindowStanding windowStanding(QWidget* window)
{
#ifdef Q_OS_WIN
    if (QGuiApplication::platformName() == QLatin1String("windows")) {
        const HWND hwnd = reinterpret_cast<HWND>(window->winId());
        return { (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, GetForegroundWindow() == hwnd };
    }
#endif
    return { window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), QApplication::activeWindow() == window };
}

}
