#pragma once
// A small picture of a three-pin jumper block (grey base, three pins in a row
// and a shunt cap over the left pair, the right pair or neither), turned to
// any of four directions; a click moves the cap to its next position.

#include "SetupCtrls/board/SetupTypes.h"
#include "SetupCtrls/rules/FocusCue.h"
#include "toolkit/app/TNotifyEvent.h"
#include "toolkit/controls/ClickTracker.h"
#include "toolkit/graphics/TColor.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

class TThreeJumper : public QWidget {
    Q_OBJECT
    Q_PROPERTY(SetupTypes::TJumperState JumperState READ JumperState WRITE setJumperState)
    Q_PROPERTY(TColor BaseColor READ BaseColor WRITE setBaseColor)
    Q_PROPERTY(TColor PinColor READ PinColor WRITE setPinColor)
    Q_PROPERTY(TColor JumperColor READ JumperColor WRITE setJumperColor)
    Q_PROPERTY(SetupTypes::TOrientationType Orientation READ Orientation WRITE setOrientation)
    Q_PROPERTY(SetupTypes::TBorderStyle BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool AllowOpen READ AllowOpen WRITE setAllowOpen)
    Q_PROPERTY(QStringList PositionNames READ PositionNames WRITE setPositionNames)
    Q_PROPERTY(TNotifyEvent OnClick READ OnClick WRITE setOnClick)

public:
    static constexpr int DefaultWidth = 43;
    static constexpr int DefaultHeight = 18;
    // The base's rounded box lies this far inside the picture on every side.
    static constexpr int BaseMargin = 1;

    // The picture's measures for a work frame of W × H (the jumper drawn
    // lying, first pin on the left), in pixels.
    struct Measures {
        int pinStep; // q
        int firstPin; // P: centre of the first pin, and W - P of the third
        int middlePin; // CX
        int centreY; // CY
        int pinRadius; // R
        int capHalfGap; // S
    };
    static Measures measures(int W, int H);

    explicit TThreeJumper(QWidget* parent = nullptr);
    ~TThreeJumper() override;

    SetupTypes::TJumperState JumperState() const { return m_jumperState; }
    void setJumperState(SetupTypes::TJumperState value);

    TColor BaseColor() const { return m_baseColor; }
    void setBaseColor(TColor value);
    TColor PinColor() const { return m_pinColor; }
    void setPinColor(TColor value);
    TColor JumperColor() const { return m_jumperColor; }
    void setJumperColor(TColor value);

    SetupTypes::TOrientationType Orientation() const { return m_orientation; }
    void setOrientation(SetupTypes::TOrientationType value);

    SetupTypes::TBorderStyle BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(SetupTypes::TBorderStyle value);

    // Whether the cap may be taken off; while it may not, JumperState is
    // never jsOpen.
    bool AllowOpen() const { return m_allowOpen; }
    void setAllowOpen(bool value);

    // What each position means, in words, for screen readers: open, left,
    // right, as the labels beside the picture name them ("VUSB: +5V from
    // the USB bus"). A missing one is told by where the cap sits.
    QStringList PositionNames() const { return m_positionNames; }
    void setPositionNames(const QStringList& value);
    // The words for the position the cap is in now.
    QString positionText() const;

    // Raised after a click has moved the cap.
    TNotifyEvent OnClick() const { return m_onClick; }
    void setOnClick(const TNotifyEvent& value) { m_onClick = value; }

    // Moves the cap one step, as a click with the mouse does, then raises
    // OnClick.
    void click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Tests read the paint's bookkeeping (tests/TestPeer.h).
    friend class TestPeer;

    void scheduleSizeSwap();
    void applyPendingSizeSwap();
    void drawWorkFrame(int W, int H, qreal scale);
    void turnIntoDisplay(int W, int H);
    QColor backgroundColor() const;
    void announcePosition();

    SetupTypes::TJumperState m_jumperState = SetupTypes::jsOpen;
    TColor m_baseColor = clGray;
    TColor m_pinColor = clYellow;
    TColor m_jumperColor = clMaroon;
    SetupTypes::TOrientationType m_orientation = SetupTypes::otUp;
    SetupTypes::TBorderStyle m_borderStyle = SetupTypes::bsSingle;
    bool m_allowOpen = true;
    TNotifyEvent m_onClick;
    QStringList m_positionNames;

    bool m_sizeSwapPending = false;
    bool m_sizeSwapQueued = false;
    bool m_paintedOnce = false;
    bool m_clickInProgress = false;
    tk::ClickTracker m_clicks;
    FocusCue m_focusCue;

    // Kept between paints and only resized: the picture is drawn lying into
    // the work bitmap, then turned into the display bitmap.
    QImage m_workBitmap;
    QImage m_displayBitmap;
};
