#pragma once
// The installed-cards dialog: the maker's cards found in the computer, one
// line each, above a Close button. Made only for a page that assigns the
// supporter's OnGetCardString; the USB-QT30-5E page does not, so it never
// shows there.

#include "SetupCtrls/support/TSupportForm.h"
#include "toolkit/controls/TButton.h"

#include <QPlainTextEdit>
#include <QPointer>

class TPCIForm : public TSupportForm {
    Q_OBJECT

public:
    // Builds the dialog, hidden, for the main window; the caption, the list
    // and the Close button's handler are the supporter's to give.
    explicit TPCIForm(QWidget* mainWindow);

    QPlainTextEdit* PCIMemo() const { return m_pciMemo; }
    TButton* CloseButton() const { return m_closeButton; }

private:
    QPointer<QPlainTextEdit> m_pciMemo;
    QPointer<TButton> m_closeButton;
};
