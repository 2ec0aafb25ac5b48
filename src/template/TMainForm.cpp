#include "template/TMainForm.h"

#include "SetupCtrls/Registration.h"
#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "SetupCtrls/support/THelpForm.h"
#include "SetupCtrls/support/TPCIForm.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "SetupCtrls/support/TTechForm.h"
#include "template/BenchSheet.h"
#include "template/BoardLens.h"
#include "template/RangeItems.h"
#include "template/SettingsSummary.h"
#include "toolkit/app/Error.h"
#include "toolkit/app/LayoutFonts.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/app/TApplication.h"
#include "toolkit/controls/TComboBox.h"
#include "toolkit/controls/TRadioButton.h"
#include "toolkit/form/ClassRegistry.h"
#include "toolkit/form/Components.h"
#include "toolkit/form/FormLoader.h"
#include "toolkit/layout/ScrollingClient.h"
#include "toolkit/layout/WindowGeometry.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

using namespace SetupTypes;
using rangeItems::kRanges;
using rangeItems::rangeItem;

TMainForm::TMainForm(const QString& description)
{
    // The client area holds the page's controls at fixed positions; in a
    // window too small for the page it scrolls.
    QWidget* client = tk::makeScrollingClient(this);
    client->setObjectName(QStringLiteral("qt_client_area"));
    client->setAutoFillBackground(true);
    setColor(clBtnFace);

    SetupCtrls::registerClasses();
    tk::loadFormResource(this, description);
    tk::followDevicePixelRatio(this);

    // Copy works wherever the focus is on the page, except in a text field,
    // which copies its own selection.
    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    connect(copy, &QAction::triggered, this, &TMainForm::copySettings);
    addAction(copy);
    buildBoardMenu();

    m_onCreate(this);
}

void TMainForm::copySettings()
{
    QGuiApplication::clipboard()->setText(settingsSummary(*this));
}

void TMainForm::buildBoardMenu()
{
    auto* board = qobject_cast<TBoardImage*>(component(QStringLiteral("BoardImage1")));
    if (!board)
        return;
    m_boardMenu = new QMenu(this);
    m_boardMenu->setObjectName(QStringLiteral("BoardMenu"));
    connect(m_boardMenu->addAction(QStringLiteral("Copy settings")), &QAction::triggered, this, &TMainForm::copySettings);
    connect(m_boardMenu->addAction(QStringLiteral("Save bench sheet\u2026")), &QAction::triggered, this, &TMainForm::askToSaveBenchSheet);
    connect(m_boardMenu->addAction(QStringLiteral("Print bench sheet\u2026")), &QAction::triggered, this, &TMainForm::askToPrintBenchSheet);
    m_magnify = m_boardMenu->addAction(QStringLiteral("Magnify"));
    m_magnify->setCheckable(true);
    m_board = board;
    connect(m_magnify, &QAction::toggled, this, [this](bool on) {
        trackPointer(on);
        const QPoint at = m_board->mapFromGlobal(QCursor::pos());
        if (on && m_board->rect().contains(at))
            showLensAt(at);
        else if (!on)
            hideLens();
    });
    // A right click on a circle reaches the board, which the circle leaves
    // it to; the Menu key is taken on the board and each circle, since only
    // some platforms turn it into a context-menu request. Shift goes to
    // whichever widget has the focus, so the window watches every event.
    board->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(board, &QWidget::customContextMenuRequested, this, [this, board](const QPoint& at) { showBoardMenu(board->mapToGlobal(at)); });
    qApp->installEventFilter(this);
}

void TMainForm::showLensAt(QPoint at)
{
    // Made when first wanted: until then the page holds just its own parts.
    if (!m_lens)
        m_lens = new BoardLens(static_cast<TBoardImage*>(m_board));
    m_lens->showAt(at);
}

void TMainForm::hideLens()
{
    if (m_lens)
        m_lens->hide();
}

bool TMainForm::onBoard(const QWidget* widget) const
{
    return widget && m_board && (widget == m_board || (widget->parentWidget() == m_board && qobject_cast<const TBoardHighlight*>(widget)));
}

void TMainForm::trackPointer(bool on)
{
    // The lens follows the pointer only while it is wanted: the board
    // otherwise hears of the pointer's moves only on a drag. The circles
    // follow the pointer always (a circle opens its popup on the pointer's
    // move), so the lens hears of the moves over them as it is.
    m_board->setMouseTracking(on);
}

void TMainForm::followWithLens(QWidget* widget, QEvent* event)
{
    const bool magnifying = m_magnify->isChecked();
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Shift || key->isAutoRepeat())
            return;
        if (event->type() == QEvent::KeyRelease) {
            if (!magnifying) {
                trackPointer(false);
                hideLens();
            }
            return;
        }
        // On a focused circle the lens shows that circle; otherwise the
        // board under the pointer.
        if (QWidget* focused = focusWidget(); focused && focused != m_board && onBoard(focused)) {
            showLensAt(focused->geometry().center());
            return;
        }
        trackPointer(true);
        const QPoint at = m_board->mapFromGlobal(QCursor::pos());
        if (m_board->rect().contains(at))
            showLensAt(at);
        return;
    }
    case QEvent::MouseMove: {
        if (!onBoard(widget))
            return;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!magnifying && !(mouse->modifiers() & Qt::ShiftModifier)) {
            // Shift was let go elsewhere.
            trackPointer(false);
            hideLens();
            return;
        }
        const QPoint at = m_board->mapFromGlobal(mouse->globalPosition().toPoint());
        if (m_board->rect().contains(at))
            showLensAt(at);
        return;
    }
    case QEvent::FocusIn:
        // Shift+Tab walks the circles with the lens on each in turn.
        if (m_lens && m_lens->isVisible() && widget != m_board && onBoard(widget))
            showLensAt(widget->geometry().center());
        return;
    case QEvent::Leave:
        if (widget == m_board)
            hideLens();
        return;
    case QEvent::WindowDeactivate:
        if (widget == this && !magnifying) {
            trackPointer(false);
            hideLens();
        }
        return;
    default:
        return;
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_board || !watched->isWidgetType())
        return QMainWindow::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return QMainWindow::eventFilter(watched, event);
    followWithLens(widget, event);
    if (event->type() == QEvent::KeyPress && onBoard(widget)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            showBoardMenu(widget->mapToGlobal(widget->rect().center()));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showBoardMenu(const QPoint& globalPos)
{
    // A platform that also makes the Menu key a context-menu request asks
    // twice; the open menu stays where it is.
    if (m_boardMenu && !m_boardMenu->isVisible())
        m_boardMenu->popup(globalPos);
}

bool TMainForm::saveBenchSheet(const QString& fileName)
{
    try {
        writeBenchSheet(*this, fileName);
        return true;
    } catch (const tk::Error& e) {
        tk::messageBox(e.message(), QStringLiteral("Setup"), tk::MB_OK | tk::MB_ICONERROR);
        return false;
    }
}

void TMainForm::askToSaveBenchSheet()
{
    QFileDialog dialog(this, QStringLiteral("Save bench sheet"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({ QStringLiteral("PDF document (*.pdf)"), QStringLiteral("PNG picture (*.png)") });
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QStringLiteral("bench-sheet.pdf"));
    // A name the user gives without a suffix takes the chosen kind's.
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(filter.contains(u"png") ? QStringLiteral("png") : QStringLiteral("pdf")); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    saveBenchSheet(dialog.selectedFiles().constFirst());
}

void TMainForm::askToPrintBenchSheet()
{
    QPrinter printer;
    printer.setPageLayout(benchSheetLayout());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print bench sheet"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        printBenchSheet(*this, printer);
    } catch (const tk::Error& e) {
        tk::messageBox(e.message(), QStringLiteral("Setup"), tk::MB_OK | tk::MB_ICONERROR);
    }
}

void TMainForm::settingsChanged()
{
    setAccessibleDescription(settingsSummary(*this));
}

TMainForm::~TMainForm()
{
    // The window's children still hear of their ending; the window no longer
    // watches them.
    qApp->removeEventFilter(this);
    m_lens = nullptr;
}

void TMainForm::applyOuterGeometry()
{
    tk::setOuterGeometry(this, m_outer);
}

void TMainForm::setLeft(int value)
{
    m_outer.moveLeft(value);
    applyOuterGeometry();
}

void TMainForm::setTop(int value)
{
    m_outer.moveTop(value);
    applyOuterGeometry();
}

void TMainForm::setWidth(int value)
{
    m_outer.setWidth(value);
    applyOuterGeometry();
}

void TMainForm::setHeight(int value)
{
    m_outer.setHeight(value);
    applyOuterGeometry();
}

void TMainForm::setColor(TColor color)
{
    m_color = color;
    QWidget* client = tk::clientArea(this);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, color.toQColor());
    client->setPalette(palette);
}

void TMainForm::setWindowState(TWindowState state)
{
    if (m_windowState == state)
        return;
    m_windowState = state;
    switch (state) {
    case wsNormal:
        QMainWindow::setWindowState(Qt::WindowNoState);
        break;
    case wsMinimized:
        QMainWindow::setWindowState(Qt::WindowMinimized);
        break;
    case wsMaximized:
        QMainWindow::setWindowState(Qt::WindowMaximized);
        break;
    }
}

QObject* TMainForm::component(const QString& name) const
{
    return tk::findComponent(this, name);
}

void TMainForm::FormCreate(QObject*)
{
    QPointer<TSetupSupporter> supporter = part<TSetupSupporter>("SetSup");
    if (TApplication* app = TApplication::instance())
        app->setOnIdle([supporter, app](QObject* sender, bool& done) {
            // A window destroyed before the program ever went idle leaves
            // nothing to build: the handler only takes itself away.
            if (supporter)
                supporter->ApplicationIdle(sender, done);
            else
                app->setOnIdle({});
        });
    // From code: raises no change event, so the jumpers keep the states the
    // description gives them, which are those of this item.
    part<TComboBox>("ComboBox1")->setItemIndex(2);
    settingsChanged();
}

void TMainForm::ComboBox1Change(QObject*)
{
    const int index = part<TComboBox>("ComboBox1")->itemIndex();
    if (index >= 0 && index < int(kRanges.size())) {
        part<TThreeJumper>("RangeJumper")->setJumperState(kRanges[std::size_t(index)].range);
        part<TThreeJumper>("PolarityJumper")->setJumperState(kRanges[std::size_t(index)].polarity);
    }
    settingsChanged();
}

void TMainForm::RangeJumperClick(QObject*)
{
    part<TComboBox>("ComboBox1")->setItemIndex(rangeItem(part<TThreeJumper>("RangeJumper")->JumperState(), part<TThreeJumper>("PolarityJumper")->JumperState()));
    settingsChanged();
}

void TMainForm::PolarityJumperClick(QObject*)
{
    auto* polarity = part<TThreeJumper>("PolarityJumper");
    // The polarity jumper is either bipolar or unipolar, never open.
    if (polarity->JumperState() == jsOpen)
        polarity->setJumperState(jsLeft);
    part<TComboBox>("ComboBox1")->setItemIndex(rangeItem(part<TThreeJumper>("RangeJumper")->JumperState(), polarity->JumperState()));
    settingsChanged();
}

void TMainForm::BusPowerJumperClick(QObject*)
{
    // Selecting a radio button raises its click, which sets the jumper to the
    // position of that source: the open state never stays.
    if (part<TThreeJumper>("BusPowerJumper")->JumperState() == jsRight)
        part<TRadioButton>("BusPowerRadio")->setChecked(true);
    else
        part<TRadioButton>("ExtPowerRadio")->setChecked(true);
    settingsChanged();
}

void TMainForm::BusPowerRadioClick(QObject*)
{
    part<TThreeJumper>("BusPowerJumper")->setJumperState(part<TRadioButton>("BusPowerRadio")->isChecked() ? jsRight : jsLeft);
    settingsChanged();
}

void TMainForm::Exit2Click(QObject*)
{
    close();
}

// The Help commands show the supporter's dialogs, which exist only from the
// first idle moment on; before that (or if building them failed) there is
// nothing to show. A dialog already on screen is left as it is.
namespace {

void showModeless(QWidget* dialog)
{
    if (dialog && !dialog->isVisible())
        dialog->show();
}

}

void TMainForm::Howtousethisprogram1Click(QObject*)
{
    showModeless(part<TSetupSupporter>("SetSup")->HelpForm());
}

void TMainForm::TechnicalSupport1Click(QObject*)
{
    showModeless(part<TSetupSupporter>("SetSup")->TechForm());
}

void TMainForm::Closehelpdialog1Click(QObject*)
{
    if (THelpForm* help = part<TSetupSupporter>("SetSup")->HelpForm())
        help->hide();
}

void TMainForm::DisplayClick(QObject*)
{
    showModeless(part<TSetupSupporter>("SetSup")->PCIForm());
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, whatever popups or dialogs
    // are still open.
    event->accept();
    QCoreApplication::quit();
}
