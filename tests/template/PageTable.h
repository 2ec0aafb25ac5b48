#pragma once
// The board page as a user knows it from the board in hand, written out once
// and on its own: the tests check the form description against these rows,
// so a slip in the description is caught rather than copied into an
// expectation. A new circle is one more row in kSpots.

#include "SetupCtrls/board/SetupTypes.h"

#include <QRect>

#include <array>

namespace testing {

// What a part looks like in the photograph, judged per pixel.
enum class Look { BlackPlastic,
    BrightMetal,
    GreenLed };

struct Spot {
    const char* name; // the circle's component name
    QRect rect; // on the board picture, 600 x 592
    SetupTypes::THighlightType type;
    const char* panel;
    const char* title; // UTF-8
    const char* labels; // what the board prints there: the circle's tooltip
    // The part under the circle, as the photograph shows it: at least this
    // share of the circle's rectangle looks so.
    Look look;
    double share;
};

// The circles in the description's order.
inline constexpr std::array<Spot, 16> kSpots { {
    { "PowerHighlight", QRect(80, 248, 41, 57), SetupTypes::htSettings, "PowerPanel", "&External Power", "J1", Look::BlackPlastic, 0.075 },
    { "USBHighlight", QRect(37, 400, 73, 73), SetupTypes::htOptions, "USBPanel", "&USB Connector", "J2", Look::BrightMetal, 0.2 },
    { "DCINHighlight", QRect(24, 304, 97, 65), SetupTypes::htOptions, "DCINPanel", "DC Input", "J4", Look::BlackPlastic, 0.45 },
    { "LedHighlight", QRect(40, 488, 73, 57), SetupTypes::htOptions, "LEDPanel", "LED Light", "D1", Look::GreenLed, 0.0075 },
    { "DiffHighlight", QRect(48, 80, 33, 201), SetupTypes::htOptions, "DiffPanel", "Differential Outputs", "J3", Look::BlackPlastic, 0.5 },
    { "SEHighlight", QRect(528, 80, 33, 129), SetupTypes::htOptions, "SEPanel", "Single Ended Outputs", "J5", Look::BlackPlastic, 0.35 },
    { "SigHighlight", QRect(528, 224, 41, 89), SetupTypes::htOptions, "SigPanel", "Signal Lines", "J6", Look::BlackPlastic, 0.5 },
    { "OptionalHighlight", QRect(480, 320, 97, 193), SetupTypes::htSettings, "OptionalPanel", "\u00b112V DAC Power", "PS1, PS2", Look::BlackPlastic, 0.55 },
    // The eight channels' range jumper blocks, four across in two rows,
    // share one panel.
    { "RSettingsHighlight", QRect(120, 32, 81, 89), SetupTypes::htSettings, "RSettingsPanel", "Output Voltage Range Jumpers", "CH0: JP2, JP3", Look::BlackPlastic, 0.03 },
    { "BoardHighlight1", QRect(216, 32, 81, 89), SetupTypes::htSettings, "RSettingsPanel", "Output Voltage Range Jumpers", "CH1: JP4, JP5", Look::BlackPlastic, 0.03 },
    { "BoardHighlight2", QRect(320, 32, 81, 89), SetupTypes::htSettings, "RSettingsPanel", "Output Voltage Range Jumpers", "CH2: JP6, JP7", Look::BlackPlastic, 0.03 },
    { "BoardHighlight3", QRect(424, 32, 81, 89), SetupTypes::htSettings, "RSettingsPanel", "Output Voltage Range Jumpers", "CH3: JP8, JP9", Look::BlackPlastic, 0.03 },
    { "BoardHighlight5", QRect(216, 120, 81, 89), SetupTypes::htSettings, "RSettingsPanel", "Output Voltage Range Jumpers", "CH5: JP12, JP13", Look::BlackPlastic, 0.03 },
    { "BoardHighlight6", QRect(320, 120, 81, 89), SetupTypes::htSettings, "RSettingsPanel", "Output Voltage Range Jumpers", "CH6: JP14, JP15", Look::BlackPlastic, 0.03 },
    { "BoardHighlight7", QRect(424, 120, 81, 89), SetupTypes::htSettings, "RSettingsPanel", "Output Voltage Range Jumpers", "CH7: JP16, JP17", Look::BlackPlastic, 0.03 },
    { "BoardHighlight4", QRect(120, 120, 81, 89), SetupTypes::htSettings, "RSettingsPanel", "Output Voltage Range Jumpers", "CH4: JP10, JP11", Look::BlackPlastic, 0.03 },
} };

// The range selector's items and the jumper pair each stands for.
struct RangeRow {
    const char* text;
    SetupTypes::TJumperState range;
    SetupTypes::TJumperState polarity;
};
inline constexpr std::array<RangeRow, 6> kRanges { {
    { "0 to 2.5V", SetupTypes::jsRight, SetupTypes::jsRight },
    { "0 to 5V", SetupTypes::jsLeft, SetupTypes::jsRight },
    { "0 to 10V", SetupTypes::jsOpen, SetupTypes::jsRight },
    { "-2.5 to 2.5V", SetupTypes::jsRight, SetupTypes::jsLeft },
    { "-5 to 5V", SetupTypes::jsLeft, SetupTypes::jsLeft },
    { "-10 to 10 V", SetupTypes::jsOpen, SetupTypes::jsLeft },
} };

} // namespace testing
