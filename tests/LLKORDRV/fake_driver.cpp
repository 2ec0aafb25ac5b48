// A stand-in for the board maker's driver library. Export number n (in the
// driver's binding order) returns n, so a test can tell which export a
// pointer was bound to; GetNumCards returns KORDRV_FAKE_CARDS. A build
// defined WITHOUT_<name> lacks that export.

#include <cstdint>
#include <cstdlib>

#ifdef _WIN32
#define EXPORT(number, name) \
    extern "C" __declspec(dllexport) int32_t name() { return number; }
#else
#define EXPORT(number, name) \
    extern "C" __attribute__((visibility("default"))) int32_t name() { return number; }
#endif

#ifndef WITHOUT_GetNumCards
static int32_t fakeCards()
{
    const char* cards = std::getenv("KORDRV_FAKE_CARDS");
    return cards ? std::atoi(cards) : 0;
}
EXPORT(fakeCards(), GetNumCards)
#endif
// The exports as a table to the end of the file; clang-format would run
// them into one statement.
// clang-format off
EXPORT(2, QueryCardInfo)
EXPORT(3, QueryBARBase) EXPORT(4, WaitForIRQ) EXPORT(5, COSWaitForIRQ) EXPORT(6, WDGHandleIRQ)
EXPORT(7, AbortRequest) EXPORT(8, CloseCard) EXPORT(9, WDGInit) EXPORT(10, WDGSetTimeout)
EXPORT(11, WDGSetResetDuration) EXPORT(12, WDGPet) EXPORT(13, WDGReadTemp) EXPORT(14, WDGReadStatus)
EXPORT(15, WDGStart) EXPORT(16, WDGStop) EXPORT(17, EmergencyReboot) EXPORT(18, InPortB)
EXPORT(19, OutPortB) EXPORT(20, InPort) EXPORT(21, OutPort) EXPORT(22, InPortL)
EXPORT(23, OutPortL) EXPORT(24, InPortDWord) EXPORT(25, OutPortDWord) EXPORT(26, RelInPortB)
EXPORT(27, RelOutPortB) EXPORT(28, RelInPort) EXPORT(29, RelOutPort) EXPORT(30, RelInPortL)
EXPORT(31, RelOutPortL) EXPORT(32, RelInPortDWord)
#ifndef WITHOUT_RelOutPortDWord
EXPORT(33, RelOutPortDWord)
#endif
