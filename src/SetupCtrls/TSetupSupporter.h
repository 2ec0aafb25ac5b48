#pragma once
// The non-visual component that holds a setup page's product strings and
// switches (company, card name, how to call for support) and builds the
// page's title and support dialogs once the program has started.

#include "toolkit/TNotifyEvent.h"

#include <QObject>
#include <QString>

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
    TNotifyEvent OnBeginCalib() const { return m_onBeginCalib; }
    void setOnBeginCalib(const TNotifyEvent& handler) { m_onBeginCalib = handler; }
    TNotifyEvent OnStopButtonClick() const { return m_onStopButtonClick; }
    void setOnStopButtonClick(const TNotifyEvent& handler) { m_onStopButtonClick = handler; }
    TNotifyEvent OnStartButtonClick() const { return m_onStartButtonClick; }
    void setOnStartButtonClick(const TNotifyEvent& handler) { m_onStartButtonClick = handler; }

    // The card name used everywhere: CardNameB when UseCardNameB is set.
    QString cardName() const { return m_useCardNameB ? m_cardNameB : m_cardNameA; }

    // The one-shot handler of the application's idle notification: it
    // unhooks itself and builds the page's title and dialogs.
    void ApplicationIdle(QObject* Sender, bool& Done);

private:
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
};
