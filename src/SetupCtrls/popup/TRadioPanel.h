#pragma once
// A panel that holds the controls of one option group together with the
// explanatory text lines that the group's popup window shows later; on the
// main window it stays hidden until the popup adopts it.

#include "toolkit/app/TNotifyEvent.h"
#include "toolkit/graphics/TColor.h"
#include "toolkit/layout/Anchors.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class TRadioPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool RadioEnabled READ RadioEnabled WRITE setRadioEnabled)
    Q_PROPERTY(QStringList Lines READ Lines WRITE setLines)
    Q_PROPERTY(int MemoHeight READ MemoHeight WRITE setMemoHeight)
    Q_PROPERTY(tk::TAnchors FinalAnchors READ FinalAnchors WRITE setFinalAnchors)
    Q_PROPERTY(TNotifyEvent OnRadioChange READ OnRadioChange WRITE setOnRadioChange)
    Q_PROPERTY(TNotifyEvent OnActivate READ OnActivate WRITE setOnActivate)
    Q_PROPERTY(TNotifyEvent OnDeactivate READ OnDeactivate WRITE setOnDeactivate)
    Q_PROPERTY(TBevelCut BevelOuter READ BevelOuter WRITE setBevelOuter)
    Q_PROPERTY(TColor Color READ Color WRITE setColor)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)

public:
    enum TBevelCut { bvNone,
        bvLowered,
        bvRaised,
        bvSpace };
    Q_ENUM(TBevelCut)

    // The bevel the property is declared with; a new panel nevertheless
    // starts flat, because a group's panel must not look framed on the main
    // window while it waits for its popup.
    static constexpr TBevelCut DeclaredBevelOuter = bvRaised;

    static constexpr int DefaultWidth = 194;
    static constexpr int DefaultHeight = 100;
    static constexpr int DefaultMemoHeight = 58;

    explicit TRadioPanel(QWidget* parent = nullptr);
    ~TRadioPanel() override;

    bool RadioEnabled() const { return m_radioEnabled; }
    void setRadioEnabled(bool value);

    QStringList Lines() const { return m_lines; }
    void setLines(const QStringList& value);

    // Height of the text box under the panel in the popup window.
    int MemoHeight() const { return m_memoHeight; }
    void setMemoHeight(int value);

    // The anchors the panel takes once it sits in its popup window.
    tk::TAnchors FinalAnchors() const { return m_finalAnchors; }
    void setFinalAnchors(tk::TAnchors value);

    TNotifyEvent OnRadioChange() const { return m_onRadioChange; }
    void setOnRadioChange(const TNotifyEvent& value) { m_onRadioChange = value; }
    TNotifyEvent OnActivate() const { return m_onActivate; }
    void setOnActivate(const TNotifyEvent& value) { m_onActivate = value; }
    TNotifyEvent OnDeactivate() const { return m_onDeactivate; }
    void setOnDeactivate(const TNotifyEvent& value) { m_onDeactivate = value; }

    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void setBevelOuter(TBevelCut value);

    // Also the background of the jumpers placed directly on the panel.
    TColor Color() const { return m_color; }
    void setColor(TColor value);

    QString Caption() const { return m_caption; }
    void setCaption(const QString& value);

    // Set by the popup window once it has taken the panel in; from then on a
    // new FinalAnchors value takes effect at once.
    bool FinalAnchorsApplied() const { return m_finalAnchorsApplied; }
    void setFinalAnchorsApplied(bool value) { m_finalAnchorsApplied = value; }

    // The popup's text box that shows Lines; the popup owns it.
    QWidget* statusMemo() const { return m_statusMemo; }
    void setStatusMemo(QWidget* value) { m_statusMemo = value; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_radioEnabled = false;
    QStringList m_lines;
    int m_memoHeight = DefaultMemoHeight;
    tk::TAnchors m_finalAnchors = tk::defaultAnchors();
    TNotifyEvent m_onRadioChange;
    TNotifyEvent m_onActivate;
    TNotifyEvent m_onDeactivate;
    TBevelCut m_bevelOuter = bvNone;
    TColor m_color = clBtnFace;
    QString m_caption;
    bool m_finalAnchorsApplied = false;
    QPointer<QWidget> m_statusMemo;
};
