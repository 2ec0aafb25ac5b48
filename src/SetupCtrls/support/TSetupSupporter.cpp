#include "SetupCtrls/support/TSetupSupporter.h"

#include "LLKORDRV/LLKORDRV.h"
#include "SetupCtrls/support/THelpForm.h"
#include "SetupCtrls/support/TPCIForm.h"
#include "SetupCtrls/support/TTechForm.h"
#include "toolkit/app/Error.h"
#include "toolkit/app/ErrorReport.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/app/TApplication.h"
#include "toolkit/controls/TButton.h"
#include "toolkit/controls/TLabel.h"
#include "toolkit/controls/TMainMenu.h"
#include "toolkit/controls/TMenuItem.h"
#include "toolkit/form/ClassRegistry.h"
#include "toolkit/form/Components.h"
#include "toolkit/layout/Layout.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTimerEvent>
#include <algorithm>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Whatever a property holds stays text in the help dialog: RTF's own
// characters are escaped rather than read as markup.
QString rtfText(QString text)
{
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'{', QStringLiteral("\\{"));
    text.replace(u'}', QStringLiteral("\\}"));
    return text;
}

class TimerWindow : public QObject {
public:
    explicit TimerWindow(TSetupSupporter* supporter)
        : QObject(supporter)
        , m_supporter(supporter)
    {
    }

protected:
    void timerEvent(QTimerEvent*) override
    {
        tk::guarded([this] { m_supporter->TimerTick(); });
    }

private:
    TSetupSupporter* m_supporter;
};

}

TSetupSupporter::TSetupSupporter(QObject* owner)
    : QObject(owner)
    , m_timerWindow(new TimerWindow(this))
{
}

TSetupSupporter::~TSetupSupporter()
{
    // Only stops: a destructor has no business starting a timer, whatever
    // is pending.
    m_calibrating = false;
    stopTimer();
}

void TSetupSupporter::setChannels(int value)
{
    if (value < 0 || value > 255)
        throw tk::Error(QStringLiteral("Channels must lie between 0 and 255, not %1.").arg(value));
    m_channels = value;
}

void TSetupSupporter::setOnBeginCalib(const TNotifyEvent& handler)
{
    m_onBeginCalib = handler;
    UpdateTimer();
}

QString TSetupSupporter::seriesWord() const
{
    return m_bSeries ? QStringLiteral(" Series") : QString();
}

QString TSetupSupporter::foundCaption() const
{
    return cardName() + seriesWord() + QStringLiteral(" Settings Program");
}

QString TSetupSupporter::helpText() const
{
    const QString card = rtfText(cardName());
    QString text = QStringLiteral(
                       R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fprq2\fcharset0 Verdana;}})"
                       R"({\colortbl\red64\green64\blue64;\red255\green255\blue64;\red64\green64\blue255;\red255\green64\blue64;})"
                       R"(\viewkind4\uc1\pard\f0\fs32\cf0)")
        + CrLf + QStringLiteral(R"({\b )");
    text += rtfText(m_companyName) + u' ' + card + seriesWord();
    text += QStringLiteral(R"( Settings Program}\par\par\fs24)") + CrLf;
    text += QStringLiteral("This program will help you configure the option jumpers and settings associated with this "
                           R"(product. You should have the product in-hand when first using this program.\par\par)")
        + CrLf;
    text += QStringLiteral(R"({\cf1\fs24\b Yellow circles} provide information on configuring jumpers and switches.\par\par)")
        + CrLf;
    text += QStringLiteral(R"({\cf2\fs24\b Blue circles} are informational only. They provide information on standard and )"
                           R"(optional features of the product family.\par\par)")
        + CrLf;
    text += QStringLiteral(R"({\cf3\fs24\b Red circles} handle calibration and types of configuration that require actually )"
                           "controlling the hardware device. Run this settings program again once the card is installed. ");
    text += QStringLiteral(R"(Repeat the {\cf1 setup circles} (using the same settings) to configure this program, then )"
                           R"(perform the {\cf3 calibration circles}.\par\par)")
        + CrLf;
    text += QStringLiteral(R"(Mouse over the highlight circles to see configuration or information popups for {\cf1 setup}, )"
                           R"({\cf2 features}, and {\cf3 calibration}. Click a highlight circle to make its popup remain )"
                           "on-screen. ");
    text += QStringLiteral(R"(You can have all or as many of these popups onscreen at the same time as you desire.\par\par)")
        + CrLf;
    if (m_multiPort) {
        text += QStringLiteral(R"({\fs32\b Note:} Make sure to set the jumpers for each option group \emdash  the )"
                               "configuration options for each port are handled identically; ");
        text += QStringLiteral("this program only shows the setup once, but you need to perform this setup for each "
                               R"(group of options on your device.\par\par)")
            + CrLf;
    }
    if (m_onGetCardString.assigned())
        text += QStringLiteral("To see a list of ") + card + QStringLiteral(" cards installed, click \"Display ") + card
            + QStringLiteral(R"( Cards Installed" under the File menu.\par\par)") + CrLf;
    text += u'}';
    return text;
}

QString TSetupSupporter::techSupportText() const
{
    return QStringLiteral("There are several ways to get technical support. First and fastest is to skim the relevant "
                          "sections of the manual. However, some questions require personal assistance, and ")
        + m_companyName + QStringLiteral(" stands ready to provide that help. You can call us ") + m_callHow
        + QStringLiteral(" for any of your product questions.") + CrLf + CrLf
        + QStringLiteral("In order to provide the best and fastest support possible, we ask that you be at your "
                         "computer when you call, and have the ")
        + m_companyName + QStringLiteral(" product manual and Software Master CD at hand.");
}

TLabel* TSetupSupporter::HeaderLabel() const
{
    return m_headerLabel;
}

THelpForm* TSetupSupporter::HelpForm() const
{
    return m_helpForm;
}

TTechForm* TSetupSupporter::TechForm() const
{
    return m_techForm;
}

TPCIForm* TSetupSupporter::PCIForm() const
{
    return m_pciForm;
}

QWidget* TSetupSupporter::mainWindow() const
{
    QObject* owner = tk::ownerOf(this);
    return qobject_cast<QWidget*>(owner ? owner : parent());
}

void TSetupSupporter::ApplicationIdle(QObject*, bool&)
{
    if (TApplication* app = TApplication::instance())
        app->setOnIdle({});
    BuildSupportDialogs();
}

void TSetupSupporter::BuildSupportDialogs()
{
    if (m_built)
        return;
    m_built = true;
    QWidget* window = mainWindow();
    if (!window)
        throw tk::Error(QStringLiteral("The setup supporter %1 has no window to build its dialogs on.").arg(objectName()));

    buildHeaderLabel(window);
    // Without cards to look for, the header's text is known before the
    // dialogs exist: painted at once, it completes the page on screen while
    // they are being made.
    if (!m_onGetCardString.assigned()) {
        m_headerLabel->setCaption(foundCaption());
        if (m_headerLabel->isVisible())
            m_headerLabel->repaint();
    }

    auto* help = new THelpForm(window);
    tk::setOwner(help, window);
    m_helpForm = help;
    help->setHelpText(helpText());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        help->scaleForScreen(screen->size());

    auto* tech = new TTechForm(window);
    tk::setOwner(tech, window);
    m_techForm = tech;
    QString techText = techSupportText();
    tech->TechMemo()->setPlainText(techText.replace(CrLf, QStringLiteral("\n")));
    tech->CloseButton()->setOnClick(TNotifyEvent::bind(this, &TSetupSupporter::CloseButtonClick));

    bool found = true;
    if (m_onGetCardString.assigned()) {
        buildInstalledCardsEntry(window);
        auto* cards = new TPCIForm(window);
        tk::setOwner(cards, window);
        m_pciForm = cards;
        cards->setWindowTitle(cardName() + QStringLiteral(" Cards installed"));
        cards->CloseButton()->setOnClick(TNotifyEvent::bind(this, &TSetupSupporter::CloseButtonClick));
        cards->showAndRaise();
        found = listInstalledCards();
    }

    if (found) {
        m_headerLabel->setCaption(foundCaption());
    } else {
        m_pciForm->PCIMemo()->setPlainText(QStringLiteral("No Card Found"));
        m_headerLabel->setCaption(QStringLiteral("No ") + cardName()
            + (m_bSeries ? QStringLiteral(" Series Card") : QString()) + QStringLiteral(" Found"));
    }

    m_helpPending = true;
    UpdateTimer();
}

void TSetupSupporter::buildHeaderLabel(QWidget* window)
{
    auto* label = new TLabel(tk::clientArea(window));
    label->setObjectName(QStringLiteral("HeaderLabel"));
    tk::setOwner(label, window);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(QFont(QStringLiteral("Tahoma"), 18, QFont::Bold));
    // Opaque in the window's own background colour, which the label takes
    // from the client area it lies on.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    tk::alignTop(label);
    // Beneath every other control of the window, as a caption drawn on the
    // window's surface: the board picture covers it where they overlap.
    label->lower();
    label->show();
    m_headerLabel = label;
}

void TSetupSupporter::buildInstalledCardsEntry(QWidget* window)
{
    TMainMenu* bar = nullptr;
    if (auto* mainWindow = qobject_cast<QMainWindow*>(window))
        bar = qobject_cast<TMainMenu*>(mainWindow->menuWidget());
    else
        bar = window->findChild<TMainMenu*>(QString(), Qt::FindDirectChildrenOnly);
    if (!bar)
        return;
    for (TMenuItem* menu : bar->items()) {
        if (menu->caption() != QLatin1String("&File"))
            continue;
        auto* entry = new TMenuItem(menu);
        entry->setObjectName(QStringLiteral("DisplayPCI"));
        tk::setOwner(entry, menu);
        entry->setCaption(QStringLiteral("Display ") + cardName() + QStringLiteral(" Cards Installed"));
        entry->setOnClick(TNotifyEvent::bind(this, &TSetupSupporter::ShowCardsInstalled));
        menu->insert(0, entry);
        return;
    }
}

bool TSetupSupporter::listInstalledCards()
{
    LLKORDRV::LoadDriverLibrary();
    const int count = std::min<int>(LLKORDRV::cardCount(), MostCardsListed);
    if (count <= 0)
        return false;
    bool found = false;
    QPlainTextEdit* memo = m_pciForm->PCIMemo();
    memo->clear();
    for (int i = 0; i < count; ++i) {
        const QString text = m_onGetCardString(this, i);
        if (text.isEmpty())
            continue;
        memo->appendPlainText(text);
        found = true;
    }
    return found;
}

void TSetupSupporter::ShowCardsInstalled(QObject*)
{
    if (m_pciForm)
        m_pciForm->showAndRaise();
}

void TSetupSupporter::CloseButtonClick(QObject* Sender)
{
    if (auto* button = qobject_cast<QWidget*>(Sender))
        if (QWidget* window = button->parentWidget())
            window->hide();
}

void TSetupSupporter::addCalibGroup(QComboBox** readingsBox, TButton** groupButton, QWidget** promptControl, quintptr tag)
{
    if (!readingsBox || !groupButton || !promptControl)
        throw tk::Error(QStringLiteral("A calibration group needs its readings list, its button and its prompt."));
    m_calibGroups.append({ readingsBox, groupButton, promptControl, tag });
}

void TSetupSupporter::SetCalibrating(bool Value)
{
    if (Value == m_calibrating)
        return;
    m_calibrating = Value;
    UpdateTimer();
}

void TSetupSupporter::stopTimer()
{
    if (m_timerId) {
        m_timerWindow->killTimer(m_timerId);
        m_timerId = 0;
    }
}

void TSetupSupporter::UpdateTimer()
{
    stopTimer();
    if (!m_calibrating && !m_helpPending)
        return;
    m_timerId = setSystemTimer(m_timerWindow, TimerInterval);
    if (!m_timerId)
        throw tk::Error(QStringLiteral("Not enough timers available"));
}

int TSetupSupporter::setSystemTimer(QObject* window, int intervalMs)
{
    return window->startTimer(intervalMs, Qt::PreciseTimer);
}

void TSetupSupporter::TimerTick()
{
    // While an error box is open the ticks go on but do nothing: a pass that
    // failed would fail again behind the box. The first tick after the box
    // closes tries again.
    if (tk::errorReportShowing())
        return;
    if (m_helpPending) {
        if (m_helpForm)
            m_helpForm->showAndRaise();
        m_helpPending = false;
        UpdateTimer();
        return;
    }

    m_onBeginCalib(this);
    if (!m_onGetCalibString.assigned()) {
        SetCalibrating(false);
        tk::messageBox(QStringLiteral("Error: calibration begun, but OnGetCalibString isn't assigned."),
            QStringLiteral("OnGetCalibString Not Assigned"),
            tk::MB_OK | tk::MB_ICONEXCLAMATION | tk::MB_TOPMOST | tk::MB_SETFOREGROUND);
        RestoreStartButtons();
        return;
    }

    // A handler may add groups; this pass keeps to the ones it began with.
    const QList<TCalibGroup> groups = m_calibGroups;
    for (const TCalibGroup& group : groups)
        if (QWidget* prompt = *group.PromptControl)
            prompt->hide();

    bool itsAllBad = true;
    for (int channel = 0; channel < m_channels; ++channel)
        ShowChannelReading(quint8(channel), m_onGetCalibString(this, quint8(channel), itsAllBad));

    if (!itsAllBad)
        return;
    // Off before the box, so that no tick arrives while it is open.
    SetCalibrating(false);
    const int answer = tk::messageBox(QStringLiteral("Total A/D failure. The card may not be installed, or it may be "
                                                     "installed at a different base address."),
        QStringLiteral("Total A/D failure"),
        tk::MB_RETRYCANCEL | tk::MB_ICONEXCLAMATION | tk::MB_DEFBUTTON2 | tk::MB_TOPMOST | tk::MB_SETFOREGROUND);
    if (answer == tk::IDRETRY)
        SetCalibrating(true);
    else
        RestoreStartButtons();
}

void TSetupSupporter::RestoreStartButtons()
{
    if (m_changeButtons) {
        const QList<TCalibGroup> groups = m_calibGroups;
        for (const TCalibGroup& group : groups) {
            if (TButton* button = *group.GroupButton) {
                button->setOnClick(m_onStartButtonClick);
                button->setCaption(QStringLiteral("Start"));
            }
        }
    }
    SetCalibrating(false);
}

void TSetupSupporter::ShowChannelReading(quint8 Channel, const QString& Text)
{
    const QString line = QStringLiteral("Channel ") + QString::number(Channel) + u'\t' + Text;
    const QList<TCalibGroup> groups = m_calibGroups;
    for (const TCalibGroup& group : groups) {
        QComboBox* box = *group.ReadingsBox;
        if (!box)
            continue;
        if (Channel >= box->count())
            throw tk::Error(QStringLiteral("List index out of bounds (%1)").arg(Channel));
        box->setItemText(Channel, line);
    }
}
