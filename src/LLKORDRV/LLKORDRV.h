#pragma once
// The board maker's driver library, bound by name when first needed so that
// the program starts and runs whether or not the library is installed. Only
// the supporter's installed-cards list calls it, which runs for a page that
// assigns OnGetCardString; the USB-QT30-5E page does not, so this program
// never loads the library.

#include <cstdint>

namespace LLKORDRV {

// The number of the maker's cards in the computer; zero or less means none.
// Having no arguments, it is called alike under cdecl and stdcall, so the
// convention the library was built with does not matter.
using GetNumCardsFunc = int32_t (*)();

// The other entry points belong to the driver and nothing in this program
// calls them, so they are kept untyped: code that knows an entry point's real
// argument list converts the pointer to that type before calling it.
using EntryPoint = void (*)();

// One pointer per export of the library, named like it. Each is null until
// bound and null after binding when the library lacks that export; call
// through one only when it is not null.
extern GetNumCardsFunc GetNumCards;
extern EntryPoint QueryCardInfo, QueryBARBase;
extern EntryPoint WaitForIRQ, COSWaitForIRQ;
extern EntryPoint WDGHandleIRQ, AbortRequest, CloseCard, WDGInit, WDGSetTimeout,
    WDGSetResetDuration, WDGPet, WDGReadTemp, WDGReadStatus, WDGStart, WDGStop,
    EmergencyReboot;
extern EntryPoint InPortB, OutPortB, InPort, OutPort, InPortL, OutPortL,
    InPortDWord, OutPortDWord;
extern EntryPoint RelInPortB, RelOutPortB, RelInPort, RelOutPort, RelInPortL,
    RelOutPortL, RelInPortDWord, RelOutPortDWord;

// True once one call of LoadDriverLibrary has found the library with all 33
// exports; it never turns false again.
extern bool DriverLibraryLoaded;

// Loads the library and binds every pointer. After a complete binding it
// returns at once; until then each call loads the library again and repeats
// every lookup. A missing library leaves the pointers as they were and a missing
// export leaves its pointer null, both without a message.
void LoadDriverLibrary();

// What GetNumCards reports, or 0 while it is not bound.
int32_t cardCount();

}
