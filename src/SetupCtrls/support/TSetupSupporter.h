#pragma once
// The non-visual component that holds a setup page's product strings and
// switches (company, card name, how to call for support), builds the page's
// title and support dialogs once the program has started, shows the help
// dialog shortly after, and runs the optional calibration cycle on its
// 100 ms timer.
//
// The calibration cycle (calibration groups, SetCalibrating, the passes of
// TimerTick, ShowChannelReading, RestoreStartButtons) and the installed-cards
// dialog serve pages whose owner assigns OnGetCalibString or
// OnGetCardString. The USB-QT30-5E page assigns neither, so on it they never
// run; only their tests run them.

#include "SetupCtrls/support/TCalibEvent.h"
#include "SetupCtrls/support/TPCIEvent.h"
#include "toolkit/app/TNotifyEvent.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QWidget;
class TButton;
class THelpForm;
class TLabel;
class TPCIForm;
class TTechForm;

class TSetupSupporter : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString CompanyName READ CompanyName WRITE setCompanyName)
    Q_PROPERTY(QString CardNameA READ CardNameA WRITE setCardNameA)
    Q_PROPERTY(QString CardNameB READ CardNameB WRITE setCardNameB)
    Q_PROPERTY(bool UseCardNameB READ UseCardNameB WRITE setUseCardNameB)
    Q_PROPERTY(QString CallHow READ CallHow WRITE setCallHow)
    Q_PROPERTY(bool MultiPort READ MultiPort WRITE setMultiPort)
    Q_PROPERTY(int Channels READ Channels WRITE setChannels)
    Q_PROPERTY(bool ChangeButtons READ ChangeButtons WRITE setChangeButtons)
    Q_PROPERTY(bool bSeries READ bSeries WRITE setbSeries)
    Q_PROPERTY(TNotifyEvent OnBeginCalib READ OnBeginCalib WRITE setOnBeginCalib)
    Q_PROPERTY(TNotifyEvent OnStopButtonClick READ OnStopButtonClick WRITE setOnStopButtonClick)
    Q_PROPERTY(TNotifyEvent OnStartButtonClick READ OnStartButtonClick WRITE setOnStartButtonClick)

public:
    // The period of the timer that shows the help dialog and drives the
    // calibration passes.
    static constexpr int TimerInterval = 100;

    // The most cards the installed-cards list asks descriptions for: more
    // than any computer holds, so a larger count from the driver is a fault
    // of the driver, and listing it would never end.
    static constexpr int MostCardsListed = 256;

    // One calibration group of the owner. Each field is the address of the
    // owner's variable that refers to the control, read at every use, so the
    // supporter always acts on whatever control the variable holds then; a
    // variable that holds none is passed over. Nothing is owned through it.
    struct TCalibGroup {
        QComboBox** ReadingsBox; // the list of channel readings
        TButton** GroupButton; // the group's Start/Stop button
        QWidget** PromptControl; // hidden once readings are shown
        quintptr Tag; // the owner's own; the supporter never reads it
    };

    explicit TSetupSupporter(QObject* owner = nullptr);
    ~TSetupSupporter() override;

    QString CompanyName() const { return m_companyName; }
    void setCompanyName(const QString& value) { m_companyName = value; }
    QString CardNameA() const { return m_cardNameA; }
    void setCardNameA(const QString& value) { m_cardNameA = value; }
    QString CardNameB() const { return m_cardNameB; }
    void setCardNameB(const QString& value) { m_cardNameB = value; }
    bool UseCardNameB() const { return m_useCardNameB; }
    void setUseCardNameB(bool value) { m_useCardNameB = value; }
    QString CallHow() const { return m_callHow; }
    void setCallHow(const QString& value) { m_callHow = value; }
    bool MultiPort() const { return m_multiPort; }
    void setMultiPort(bool value) { m_multiPort = value; }
    // Channels read in each calibration pass, 0 to 255.
    int Channels() const { return m_channels; }
    void setChannels(int value);
    bool ChangeButtons() const { return m_changeButtons; }
    void setChangeButtons(bool value) { m_changeButtons = value; }
    bool bSeries() const { return m_bSeries; }
    void setbSeries(bool value) { m_bSeries = value; }

    // Raised at the start of every calibration pass. Assigning it restarts a
    // running timer's period.
    TNotifyEvent OnBeginCalib() const { return m_onBeginCalib; }
    void setOnBeginCalib(const TNotifyEvent& handler);
    // Kept for the owner; the supporter never raises it.
    TNotifyEvent OnStopButtonClick() const { return m_onStopButtonClick; }
    void setOnStopButtonClick(const TNotifyEvent& handler) { m_onStopButtonClick = handler; }
    // Becomes every group button's click handler when calibration ends and
    // ChangeButtons is set.
    TNotifyEvent OnStartButtonClick() const { return m_onStartButtonClick; }
    void setOnStartButtonClick(const TNotifyEvent& handler) { m_onStartButtonClick = handler; }
    // Asked for each installed card's description. Assigned, it also brings
    // the installed-cards dialog, its File menu entry and the help text's
    // paragraph about them.
    TPCIEvent OnGetCardString() const { return m_onGetCardString; }
    void setOnGetCardString(const TPCIEvent& handler) { m_onGetCardString = handler; }
    // Asked for each channel's reading in every calibration pass.
    TCalibEvent OnGetCalibString() const { return m_onGetCalibString; }
    void setOnGetCalibString(const TCalibEvent& handler) { m_onGetCalibString = handler; }

    // The card name used everywhere: CardNameB when UseCardNameB is set.
    QString cardName() const { return m_useCardNameB ? m_cardNameB : m_cardNameA; }
    // " Series" after the card name, or nothing when bSeries is off.
    QString seriesWord() const;
    // The header's text when cards were found, or none were looked for.
    QString foundCaption() const;

    // The help dialog's explanation as rich text (RTF), and the technical
    // support text with CR LF between its paragraphs.
    QString helpText() const;
    QString techSupportText() const;

    // What BuildSupportDialogs made; all owned by the main window, empty
    // before the first idle moment. PCIForm stays empty without
    // OnGetCardString.
    TLabel* HeaderLabel() const;
    THelpForm* HelpForm() const;
    TTechForm* TechForm() const;
    TPCIForm* PCIForm() const;

    // The one-shot handler of the application's idle notification: it
    // unhooks itself and builds the page's title and dialogs. Done is left
    // as it came.
    void ApplicationIdle(QObject* Sender, bool& Done);

    // Builds the header label, the help and technical-support dialogs and,
    // with OnGetCardString, the installed-cards dialog and its menu entry,
    // then has the help dialog shown at the next timer tick. Builds once;
    // later calls do nothing.
    void BuildSupportDialogs();

    // Appends a calibration group; every address must be given.
    void addCalibGroup(QComboBox** readingsBox, TButton** groupButton, QWidget** promptControl, quintptr tag = 0);

    bool Calibrating() const { return m_calibrating; }
    // Switches the calibration passes on or off; a change restarts the
    // timer's period, the same value changes nothing.
    void SetCalibrating(bool Value);

    // Stops the timer and, while help is pending or calibration runs, starts
    // it again for a full period. Throws tk::Error "Not enough timers
    // available" when the system refuses the timer.
    void UpdateTimer();
    // One tick: shows the pending help dialog, or else takes one
    // calibration pass; nothing while an error box is open.
    void TimerTick();
    // Ends calibration; with ChangeButtons each group's button becomes a
    // "Start" button with the OnStartButtonClick handler.
    void RestoreStartButtons();
    // Puts "Channel n<TAB>text" in place of item n of every group's readings
    // list. Throws tk::Error when a list holds no item n.
    void ShowChannelReading(quint8 Channel, const QString& Text);

protected:
    // Sets the periodic timer on the hidden window and returns its number,
    // or 0 when the system has no timer to give. A supporter made for a
    // system with timers of its own sets them here.
    virtual int setSystemTimer(QObject* window, int intervalMs);

public slots:
    // The installed-cards dialog's menu entry: shows the dialog.
    void ShowCardsInstalled(QObject* Sender);
    // A dialog's Close button: hides the window the button lies on.
    void CloseButtonClick(QObject* Sender);

private:
    // Tests read whether help is pending and the timer runs
    // (tests/TestPeer.h).
    friend class TestPeer;

    // The window the supporter serves: its owner, or its parent.
    QWidget* mainWindow() const;
    void buildHeaderLabel(QWidget* window);
    void buildInstalledCardsEntry(QWidget* window);
    // Lists the cards the driver reports; true when one had a description.
    bool listInstalledCards();
    void stopTimer();

    QString m_companyName;
    QString m_cardNameA;
    QString m_cardNameB;
    bool m_useCardNameB = false;
    QString m_callHow;
    bool m_multiPort = false;
    int m_channels = 8;
    bool m_changeButtons = true;
    bool m_bSeries = true;
    TNotifyEvent m_onBeginCalib;
    TNotifyEvent m_onStopButtonClick;
    TNotifyEvent m_onStartButtonClick;
    TPCIEvent m_onGetCardString;
    TCalibEvent m_onGetCalibString;

    bool m_helpPending = false;
    bool m_calibrating = false;
    bool m_built = false;
    // A hidden child that receives the timer's ticks on the user-interface
    // thread.
    QObject* m_timerWindow;
    int m_timerId = 0;
    QList<TCalibGroup> m_calibGroups;

    QPointer<TLabel> m_headerLabel;
    QPointer<THelpForm> m_helpForm;
    QPointer<TTechForm> m_techForm;
    QPointer<TPCIForm> m_pciForm;
};
