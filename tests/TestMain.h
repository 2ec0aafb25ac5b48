#pragma once
// The main() of every test program: the application object the program
// itself uses, and message boxes that answer at once instead of blocking.

#include "toolkit/MessageBox.h"
#include "toolkit/TApplication.h"

#include <QStringList>
#include <QTest>

namespace testing {

struct ShownBox {
    QString text;
    QString caption;
    unsigned flags;
};

// Every box a test made the program show, in order; each is answered with
// the first button (OK, Yes or Retry) unless the test installs its own
// handler.
inline QList<ShownBox>& shownBoxes()
{
    static QList<ShownBox> boxes;
    return boxes;
}

inline void answerBoxesAutomatically()
{
    tk::setMessageBoxHandler([](const QString& text, const QString& caption, unsigned flags) {
        shownBoxes().append({ text, caption, flags });
        switch (flags & 0xF) {
        case tk::MB_YESNO: return int(tk::IDYES);
        case tk::MB_RETRYCANCEL: return int(tk::IDRETRY);
        default: return int(tk::IDOK);
        }
    });
}

}

#define SETUP_TEST_MAIN(TestObject)                      \
    int main(int argc, char** argv)                      \
    {                                                    \
        TApplication app(argc, argv);                    \
        app.setAttribute(Qt::AA_Use96Dpi, true);         \
        testing::answerBoxesAutomatically();             \
        TestObject tc;                                   \
        QTEST_SET_MAIN_SOURCE_PATH                       \
        return QTest::qExec(&tc, argc, argv);            \
    }
