#pragma once
// The range selector's items and the jumper pairs that give them, shared by
// the page's handlers and its summary in words.

#include "SetupCtrls/board/SetupTypes.h"

#include <array>
#include <cstddef>

namespace rangeItems {

struct RangeRow {
    SetupTypes::TJumperState range;
    SetupTypes::TJumperState polarity;
};

// The range selector's items, by index, and the jumper pair that gives each.
inline constexpr std::array<RangeRow, 6> kRanges { {
    { SetupTypes::jsRight, SetupTypes::jsRight }, // "0 to 2.5V"
    { SetupTypes::jsLeft, SetupTypes::jsRight }, // "0 to 5V"
    { SetupTypes::jsOpen, SetupTypes::jsRight }, // "0 to 10V"
    { SetupTypes::jsRight, SetupTypes::jsLeft }, // "-2.5 to 2.5V"
    { SetupTypes::jsLeft, SetupTypes::jsLeft }, // "-5 to 5V"
    { SetupTypes::jsOpen, SetupTypes::jsLeft }, // "-10 to 10 V"
} };

// The item for a jumper pair, found in the table above; a polarity jumper
// that is not on its right pair counts as bipolar.
inline int rangeItem(SetupTypes::TJumperState range, SetupTypes::TJumperState polarity)
{
    const SetupTypes::TJumperState counted = polarity == SetupTypes::jsRight ? SetupTypes::jsRight : SetupTypes::jsLeft;
    for (std::size_t item = 0; item < kRanges.size(); ++item)
        if (kRanges[item].range == range && kRanges[item].polarity == counted)
            return int(item);
    return -1;
}

} // namespace rangeItems
