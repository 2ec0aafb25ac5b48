#include "toolkit/app/MessageBox.h"

#include "toolkit/platform/HostPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tk {
namespace {

    MessageBoxHandler& handler()
    {
        static MessageBoxHandler h;
        return h;
    }

    // A box asked to come to the foreground raises and activates itself as
    // it is shown, above whichever window of the program had the focus.
    class Box : public QMessageBox {
    public:
        explicit Box(bool foreground)
            : m_foreground(foreground)
        {
        }

    protected:
        void showEvent(QShowEvent* event) override
        {
            QMessageBox::showEvent(event);
            if (m_foreground)
                bringToForeground(this);
        }

    private:
        bool m_foreground;
    };

    int showDialog(const QString& text, const QString& caption, unsigned flags)
    {
        Box box(flags & MB_SETFOREGROUND);
        box.setWindowTitle(caption);
        box.setText(text);
        switch (flags & 0xF0) {
        case MB_ICONERROR:
            box.setIcon(QMessageBox::Critical);
            break;
        case MB_ICONQUESTION:
            box.setIcon(QMessageBox::Question);
            break;
        case MB_ICONEXCLAMATION:
            box.setIcon(QMessageBox::Warning);
            break;
        case MB_ICONINFORMATION:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
        }
        struct Choice {
            QMessageBox::StandardButton button;
            int result;
        };
        QList<Choice> choices;
        switch (flags & 0xF) {
        case MB_YESNO:
            choices = { { QMessageBox::Yes, IDYES }, { QMessageBox::No, IDNO } };
            break;
        case MB_RETRYCANCEL:
            choices = { { QMessageBox::Retry, IDRETRY }, { QMessageBox::Cancel, IDCANCEL } };
            break;
        default:
            choices = { { QMessageBox::Ok, IDOK } };
            break;
        }
        for (const Choice& c : choices)
            box.addButton(c.button);
        const int defaultIndex = (flags & MB_DEFBUTTON2) && choices.size() > 1 ? 1 : 0;
        box.setDefaultButton(choices[defaultIndex].button);
        if (flags & MB_TOPMOST)
            box.setWindowFlag(Qt::WindowStaysOnTopHint);
        box.exec();
        for (const Choice& c : choices)
            if (box.clickedButton() == box.button(c.button))
                return c.result;
        // Closed with Escape or the close box: the cancelling answer.
        return choices.size() > 1 ? choices.last().result : IDOK;
    }

}

int messageBox(const QString& text, const QString& caption, unsigned flags)
{
    if (handler())
        return handler()(text, caption, flags);
    return showDialog(text, caption, flags);
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler h)
{
    return std::exchange(handler(), std::move(h));
}

}
