#pragma once
// What tests read behind a component's interface: bookkeeping the component
// keeps for itself and no caller needs. The components name this class
// their friend.

#include "SetupCtrls/popup/TThreeJumper.h"
#include "SetupCtrls/support/TSetupSupporter.h"

class TestPeer {
public:
    // A change of Orientation between the axes, waiting for the next paint
    // to decide whether Width and Height are exchanged.
    static bool sizeSwapPending(const TThreeJumper& jumper) { return jumper.m_sizeSwapPending; }
    static bool paintedOnce(const TThreeJumper& jumper) { return jumper.m_paintedOnce; }

    // The help dialog is to be shown at the next tick.
    static bool helpPending(const TSetupSupporter& supporter) { return supporter.m_helpPending; }
    static bool timerRunning(const TSetupSupporter& supporter) { return supporter.m_timerId != 0; }
};
