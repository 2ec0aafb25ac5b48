#include "SetupCtrls/support/TPCIForm.h"

#include "toolkit/controls/ReadOnlyMemo.h"
#include "toolkit/controls/TButton.h"
#include "toolkit/layout/Anchors.h"
#include "toolkit/layout/TabOrder.h"
#include "toolkit/layout/WindowGeometry.h"

namespace {

constexpr QRect MemoGeometry { 8, 8, 305, 89 };
constexpr int CloseTop = 105;
constexpr QSize CloseSize { 73, 25 };

}

TPCIForm::TPCIForm(QWidget* mainWindow)
    : TSupportForm(mainWindow)
{
    setObjectName(QStringLiteral("PCIForm"));

    m_pciMemo = tk::newReadOnlyMemo<QPlainTextEdit>(this, QStringLiteral("PCIMemo"));
    m_pciMemo->setGeometry(MemoGeometry);
    m_pciMemo->setFont(QFont(QStringLiteral("Tahoma"), 10, QFont::Bold));

    // Centred under the memo by the new window's outer width rather than by
    // the memo, and left where the fit puts it: one pixel left of centre.
    m_closeButton = new TButton(this);
    m_closeButton->setObjectName(QStringLiteral("CloseButton"));
    m_closeButton->setGeometry(QRect(QPoint((tk::outerSize(this).width() - CloseSize.width()) / 2, CloseTop), CloseSize));
    m_closeButton->setCancel(true);
    m_closeButton->setCaption(QStringLiteral("Close"));
    tk::setFirstInTabOrder({ m_closeButton, m_pciMemo });
    m_closeButton->setFocus();

    fitToControls();
    tk::setAnchors(m_pciMemo, tk::akLeft | tk::akTop | tk::akRight | tk::akBottom);
    tk::setAnchors(m_closeButton, tk::akBottom);
}
