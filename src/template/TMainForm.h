#pragma once
// The board page's main window: built from its form description, it carries
// the board photograph with its highlight circles, the information panels
// and the menu bar, and holds the handlers of the page's controls.

#include "toolkit/app/Error.h"
#include "toolkit/app/TNotifyEvent.h"
#include "toolkit/graphics/TColor.h"

#include <QMainWindow>

class BoardLens;
class QMenu;

class TMainForm : public QMainWindow {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int Left READ Left WRITE setLeft)
    Q_PROPERTY(int Top READ Top WRITE setTop)
    Q_PROPERTY(int Width READ Width WRITE setWidth)
    Q_PROPERTY(int Height READ Height WRITE setHeight)
    Q_PROPERTY(TColor Color READ Color WRITE setColor)
    Q_PROPERTY(TWindowState WindowState READ WindowState WRITE setWindowState)
    Q_PROPERTY(TNotifyEvent OnCreate READ OnCreate WRITE setOnCreate)

public:
    enum TWindowState { wsNormal,
        wsMinimized,
        wsMaximized };
    Q_ENUM(TWindowState)

    static constexpr const char* DescriptionResource = ":/template/MainForm.form";

    // Loads the description (throws tk::Error, naming the line, when it is
    // faulty), then runs OnCreate.
    explicit TMainForm(const QString& description = QString::fromLatin1(DescriptionResource));
    ~TMainForm() override;

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }
    int Left() const { return m_outer.left(); }
    void setLeft(int value);
    int Top() const { return m_outer.top(); }
    void setTop(int value);
    int Width() const { return m_outer.width(); }
    void setWidth(int value);
    int Height() const { return m_outer.height(); }
    void setHeight(int value);
    TColor Color() const { return m_color; }
    void setColor(TColor color);
    TWindowState WindowState() const { return m_windowState; }
    void setWindowState(TWindowState state);
    TNotifyEvent OnCreate() const { return m_onCreate; }
    void setOnCreate(const TNotifyEvent& handler) { m_onCreate = handler; }

    // The component of this window with that name, or nullptr.
    QObject* component(const QString& name) const;
    // The page's component of that name and class, looked up when a handler
    // needs it; a page without it is an error the user is told about.
    template <class T>
    T* part(const char* name) const;

public slots:
    void FormCreate(QObject* Sender);
    void Exit2Click(QObject* Sender);
    void Howtousethisprogram1Click(QObject* Sender);
    void TechnicalSupport1Click(QObject* Sender);
    void Closehelpdialog1Click(QObject* Sender);
    void DisplayClick(QObject* Sender);

    // The board settings: the range selector, the range and polarity
    // jumpers, and the power jumper with its two radio buttons follow each
    // other.
    void ComboBox1Change(QObject* Sender);
    void RangeJumperClick(QObject* Sender);
    void PolarityJumperClick(QObject* Sender);
    void BusPowerJumperClick(QObject* Sender);
    void BusPowerRadioClick(QObject* Sender);

public:
    // The board's context menu (right click, or the Menu key on the board or
    // a circle): copy the settings, save or print the bench sheet. Shown at
    // globalPos; nullptr on a page without a board.
    QMenu* boardMenu() const { return m_boardMenu; }
    void showBoardMenu(const QPoint& globalPos);
    // Writes the bench sheet, a PDF or a PNG by the name's suffix; a failure
    // is told in a message box. Returns whether the sheet was written.
    bool saveBenchSheet(const QString& fileName);
    // The lens over the board, shown while Shift is held over the board or
    // on a focused circle, or while Magnify is on; nullptr until first shown.
    BoardLens* lens() const { return m_lens; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyOuterGeometry();
    // Keeps the window's accessible description, the settings in words,
    // current.
    void settingsChanged();
    void copySettings();
    void buildBoardMenu();
    void askToSaveBenchSheet();
    void askToPrintBenchSheet();
    void followWithLens(QWidget* widget, QEvent* event);
    void trackPointer(bool on);
    void showLensAt(QPoint at);
    void hideLens();
    bool onBoard(const QWidget* widget) const;

    QRect m_outer;
    TColor m_color = clBtnFace;
    TWindowState m_windowState = wsNormal;
    TNotifyEvent m_onCreate;
    QMenu* m_boardMenu = nullptr; // owned by the window
    QWidget* m_board = nullptr;
    BoardLens* m_lens = nullptr; // owned by the window's client area
    QAction* m_magnify = nullptr;
};

template <class T>
inline T* TMainForm::part(const char* name) const
{
    T* found = qobject_cast<T*>(component(QString::fromLatin1(name)));
    if (!found)
        throw tk::Error(QStringLiteral("The page has no %1 named %2.").arg(QString::fromLatin1(T::staticMetaObject.className()), QString::fromLatin1(name)));
    return found;
}
