#include "SetupCtrls/support/TSupportForm.h"

#include "SetupCtrls/board/BoardAccessibility.h"
#include "toolkit/controls/TButton.h"
#include "toolkit/layout/Layout.h"
#include "toolkit/platform/WindowRoles.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QResizeEvent>

TSupportForm::TSupportForm(QWidget* mainWindow)
    // A resizable window with title bar, system menu, minimise and maximise
    // buttons, above every other window. A dialog of the main window to the
    // desktop: tiling window managers float it, and placing ones put it over
    // the main window, not in a corner of the screen.
    : QWidget(mainWindow, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    // Not yet framed, the outer size is the client size.
    resize(InitialOuterSize);
}

void TSupportForm::setClientSize(QSize size)
{
    const QSize old = this->size();
    resize(size);
    deliverPendingResize(old);
}

void TSupportForm::fitToControls()
{
    const QSize old = size();
    tk::fitToControls(this);
    deliverPendingResize(old);
}

void TSupportForm::deliverPendingResize(QSize oldSize)
{
    if (!testAttribute(Qt::WA_PendingResizeEvent))
        return;
    setAttribute(Qt::WA_PendingResizeEvent, false);
    QResizeEvent event(size(), oldSize);
    QCoreApplication::sendEvent(this, &event);
}

void TSupportForm::showAndRaise()
{
    show();
    raise();
    // The keyboard goes with it: a window manager that prevents focus
    // stealing would otherwise leave it with the main window.
    activateWindow();
}

TButton* TSupportForm::defaultButton() const
{
    for (TButton* button : findChildren<TButton*>())
        if (button->isDefault() && button->isVisible() && button->isEnabled())
            return button;
    return nullptr;
}

TButton* TSupportForm::cancelButton() const
{
    for (TButton* button : findChildren<TButton*>())
        if (button->cancel() && button->isVisible() && button->isEnabled())
            return button;
    return nullptr;
}

void TSupportForm::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    TButton* button = nullptr;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A focused button answers Enter itself; otherwise the default one.
        button = qobject_cast<TButton*>(focusWidget());
        if (!button || !button->isVisible())
            button = defaultButton();
        break;
    case Qt::Key_Escape:
        button = cancelButton();
        break;
    default:
        break;
    }
    if (!button) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    button->click();
}

bool TSupportForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        SetupCtrls::announceFocusAgain(this);
    return QWidget::event(event);
}

void TSupportForm::closeEvent(QCloseEvent* event)
{
    // The close box only hides the dialog; it stays, with its contents, for
    // the next time it is shown.
    event->accept();
    hide();
}

void TSupportForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Hidden while Qt still takes it for the active window, the dialog would
    // get the main window's keys until the user clicked a window.
    QWidget* mainWindow = parentWidget();
    if (mainWindow && mainWindow->isVisible() && windowHandle() && QGuiApplication::focusWindow() == windowHandle())
        tk::confirmActivation(mainWindow->windowHandle());
}
