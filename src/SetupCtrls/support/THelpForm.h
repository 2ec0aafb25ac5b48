#pragma once
// The help dialog "Instructions for Settings utility": the rich-text
// explanation of the board page and the Start button that closes it and
// starts the guided tour at the board picture's first highlight.

#include "SetupCtrls/support/TSupportForm.h"
#include "toolkit/controls/TButton.h"
#include "toolkit/controls/TLabel.h"

#include <QPointer>
#include <QSize>
#include <QTextEdit>

class THelpForm : public TSupportForm {
    Q_OBJECT

public:
    // The client area as laid out, before it is scaled for the screen.
    static constexpr QSize BaseClientSize { 305, 138 };

    // Builds the dialog at its base size, hidden, for the main window.
    explicit THelpForm(QWidget* mainWindow);

    QTextEdit* HelpRich() const { return m_helpRich; }
    TLabel* HelpLabel() const { return m_helpLabel; }
    // The dialog has no Close button: Start (or Enter, Escape) closes it.
    TButton* CloseButton() const { return nullptr; }
    TButton* StartButton() const { return m_startButton; }

    // Replaces the explanation with this rich text (RTF). Throws tk::RtfError
    // on malformed text and then keeps the one shown before.
    void setHelpText(const QString& rtf);

    // The factor by which the dialog grows on a large screen: the smaller of
    // height / 450 and width / 800, at least 1.
    static double scaleFactor(QSize screen);
    // A client size multiplied by the screen's factor, each side rounded to
    // the nearest integer, a half to the even one.
    static QSize scaledClientSize(QSize client, QSize screen);
    // Grows the client area for the screen; the explanation stretches with
    // it and Start stays at the bottom centre.
    void scaleForScreen(QSize screen);

public slots:
    // Hides the dialog, then asks the first board picture on the main window
    // to open and pin its first highlight's popup.
    void StartButtonClick(QObject* Sender);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void centreOverMainWindow();

    QPointer<QTextEdit> m_helpRich;
    QPointer<TLabel> m_helpLabel;
    QPointer<TButton> m_startButton;
};
