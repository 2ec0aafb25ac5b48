#pragma once
// The window the setup supporter's dialogs are made of: a top-most window of
// the main window that its close box only hides, whose Enter presses the
// focused or the default button and whose Escape presses the cancel button.

#include <QSize>
#include <QWidget>

class TButton;

class TSupportForm : public QWidget {
    Q_OBJECT

public:
    // The outer size a new dialog starts with, before it is laid out.
    static constexpr QSize InitialOuterSize { 320, 240 };

    // Hidden, owned in Qt's sense by mainWindow (which may be null).
    explicit TSupportForm(QWidget* mainWindow);

    // Sizes the client area. Unlike Qt, which tells a hidden window of its
    // new size only when it is shown, the aligned and anchored controls
    // follow at once, so a dialog can be laid out step by step before it is
    // ever shown.
    void setClientSize(QSize size);

    // Moves the shown controls together to the client area's top-left
    // corner and sizes the client area to their bounding box, once.
    void fitToControls();

    // Makes the window visible, brings it to the front and gives it the
    // keyboard.
    void showAndRaise();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    TButton* defaultButton() const;
    TButton* cancelButton() const;
    void deliverPendingResize(QSize oldSize);
};
