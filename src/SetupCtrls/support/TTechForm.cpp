#include "SetupCtrls/support/TTechForm.h"

#include "toolkit/app/LayoutFonts.h"
#include "toolkit/controls/ReadOnlyMemo.h"
#include "toolkit/controls/TButton.h"
#include "toolkit/layout/Anchors.h"
#include "toolkit/layout/TabOrder.h"

namespace {

constexpr QRect MemoGeometry { 8, 8, 305, 89 };
constexpr QRect CloseGeometry { 165, 105, 73, 25 };

}

TTechForm::TTechForm(QWidget* mainWindow)
    : TSupportForm(mainWindow)
{
    setObjectName(QStringLiteral("TechForm"));
    setWindowTitle(QStringLiteral("Technical Support"));
    // The text box was sized for the forms' default font; Qt's own is wider
    // and cuts the text off in the middle of the telephone sentence.
    if (tk::hasDefaultFormFont())
        setFont(tk::defaultFormFont());
    tk::followDevicePixelRatio(this);

    m_techMemo = tk::newReadOnlyMemo<QPlainTextEdit>(this, QStringLiteral("TechMemo"));
    m_techMemo->setGeometry(MemoGeometry);

    m_closeButton = new TButton(this);
    m_closeButton->setObjectName(QStringLiteral("CloseButton"));
    m_closeButton->setGeometry(CloseGeometry);
    m_closeButton->setCancel(true);
    m_closeButton->setCaption(QStringLiteral("Close"));
    tk::setFirstInTabOrder({ m_closeButton, m_techMemo });
    m_closeButton->setFocus();

    fitToControls();
    tk::setAnchors(m_techMemo, tk::akLeft | tk::akTop | tk::akRight | tk::akBottom);
    m_closeButton->move((width() - m_closeButton->width()) / 2, m_closeButton->y());
    tk::setAnchors(m_closeButton, tk::akBottom);
}
