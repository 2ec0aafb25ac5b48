#include "SetupCtrls/support/THelpForm.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "toolkit/app/Messages.h"
#include "toolkit/controls/ReadOnlyMemo.h"
#include "toolkit/controls/TButton.h"
#include "toolkit/controls/TLabel.h"
#include "toolkit/form/ClassRegistry.h"
#include "toolkit/graphics/Rounding.h"
#include "toolkit/layout/Anchors.h"
#include "toolkit/layout/Layout.h"
#include "toolkit/layout/TabOrder.h"
#include "toolkit/rtf/RtfReader.h"

#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace {

constexpr QRect RichGeometry { 0, 24, 305, 73 };
constexpr int StartTop = 105;
constexpr QSize StartSize { 173, 25 };
// Room left below the Start button once the dialog fits its controls.
constexpr int BottomMargin = 8;

}

THelpForm::THelpForm(QWidget* mainWindow)
    : TSupportForm(mainWindow)
{
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("Instructions for Settings utility"));

    m_helpLabel = new TLabel(this);
    m_helpLabel->setObjectName(QStringLiteral("HelpLabel"));
    m_helpLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_helpLabel->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    m_helpLabel->setCaption(QStringLiteral("How to use this program"));
    tk::alignTop(m_helpLabel);

    m_helpRich = tk::newReadOnlyMemo<QTextEdit>(this, QStringLiteral("HelpRich"));
    m_helpRich->setGeometry(RichGeometry);
    QPalette palette = m_helpRich->palette();
    palette.setColor(QPalette::Base, QColor(221, 221, 221));
    m_helpRich->setPalette(palette);

    m_startButton = new TButton(this);
    m_startButton->setObjectName(QStringLiteral("StartButton"));
    m_startButton->setGeometry(QRect(QPoint(0, StartTop), StartSize));
    // Enter and Escape both start the tour.
    m_startButton->setDefault(true);
    m_startButton->setCancel(true);
    m_startButton->setCaption(QStringLiteral("Start"));
    m_startButton->setOnClick(TNotifyEvent::bind(this, &THelpForm::StartButtonClick));
    tk::setFirstInTabOrder({ m_startButton, m_helpRich });
    m_startButton->setFocus();

    setClientSize(QSize(RichGeometry.width(), height()));
    fitToControls();
    setClientSize(size() + QSize(0, BottomMargin));

    tk::setAnchors(m_helpRich, tk::akLeft | tk::akTop | tk::akRight | tk::akBottom);
    m_startButton->move((width() - m_startButton->width()) / 2, m_startButton->y());
    tk::setAnchors(m_startButton, tk::akBottom);
}

void THelpForm::setHelpText(const QString& rtf)
{
    tk::RtfReader::read(rtf, *m_helpRich->document());
    // The box's own cursor moved along with the text read in before it; put
    // back at the start, it keeps the box scrolled to the beginning.
    m_helpRich->moveCursor(QTextCursor::Start);
}

double THelpForm::scaleFactor(QSize screen)
{
    const double s = std::min(screen.height() / 450.0, screen.width() / 800.0);
    return std::max(s, 1.0);
}

QSize THelpForm::scaledClientSize(QSize client, QSize screen)
{
    const double s = scaleFactor(screen);
    return QSize(tk::roundHalfEven(client.width() * s), tk::roundHalfEven(client.height() * s));
}

void THelpForm::scaleForScreen(QSize screen)
{
    setClientSize(scaledClientSize(size(), screen));
}

void THelpForm::StartButtonClick(QObject*)
{
    hide();
    QWidget* client = tk::clientArea(parentWidget());
    if (!client)
        return;
    // Any board picture will do, derived ones too: the tour is the picture's
    // own business.
    for (QObject* child : client->children()) {
        if (auto* board = qobject_cast<TBoardImage*>(child)) {
            tk::sendMessage(board, tk::WM_STARTTOUR);
            return;
        }
    }
}

void THelpForm::showEvent(QShowEvent* event)
{
    centreOverMainWindow();
    TSupportForm::showEvent(event);
}

void THelpForm::centreOverMainWindow()
{
    const QWidget* mainWindow = parentWidget();
    if (!mainWindow)
        return;
    const QRect over = mainWindow->frameGeometry();
    const QSize outer = frameGeometry().size();
    move(over.left() + (over.width() - outer.width()) / 2, over.top() + (over.height() - outer.height()) / 2);
}
