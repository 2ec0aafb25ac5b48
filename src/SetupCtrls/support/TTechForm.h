#pragma once
// The "Technical Support" dialog: how to reach the company's support, in a
// read-only box above a Close button.

#include "SetupCtrls/support/TSupportForm.h"
#include "toolkit/controls/TButton.h"

#include <QPlainTextEdit>
#include <QPointer>

class TTechForm : public TSupportForm {
    Q_OBJECT

public:
    // Builds the dialog, hidden, for the main window; the text and the Close
    // button's handler are the supporter's to give.
    explicit TTechForm(QWidget* mainWindow);

    QPlainTextEdit* TechMemo() const { return m_techMemo; }
    TButton* CloseButton() const { return m_closeButton; }

private:
    QPointer<QPlainTextEdit> m_techMemo;
    QPointer<TButton> m_closeButton;
};
