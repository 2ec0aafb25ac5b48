#include "LLKORDRV/LLKORDRV.h"

#include "toolkit/platform/Library.h"

namespace LLKORDRV {

GetNumCardsFunc GetNumCards = nullptr;
EntryPoint QueryCardInfo = nullptr, QueryBARBase = nullptr;
EntryPoint WaitForIRQ = nullptr, COSWaitForIRQ = nullptr;
EntryPoint WDGHandleIRQ = nullptr, AbortRequest = nullptr, CloseCard = nullptr, WDGInit = nullptr,
           WDGSetTimeout = nullptr, WDGSetResetDuration = nullptr, WDGPet = nullptr,
           WDGReadTemp = nullptr, WDGReadStatus = nullptr, WDGStart = nullptr, WDGStop = nullptr,
           EmergencyReboot = nullptr;
EntryPoint InPortB = nullptr, OutPortB = nullptr, InPort = nullptr, OutPort = nullptr,
           InPortL = nullptr, OutPortL = nullptr, InPortDWord = nullptr, OutPortDWord = nullptr;
EntryPoint RelInPortB = nullptr, RelOutPortB = nullptr, RelInPort = nullptr, RelOutPort = nullptr,
           RelInPortL = nullptr, RelOutPortL = nullptr, RelInPortDWord = nullptr,
           RelOutPortDWord = nullptr;

bool DriverLibraryLoaded = false;

namespace {

    template <typename Func>
    bool bind(void* library, const char* name, Func& pointer)
    {
        pointer = reinterpret_cast<Func>(tk::findSymbol(library, name));
        return pointer != nullptr;
    }

}

void LoadDriverLibrary()
{
    if (DriverLibraryLoaded)
        return;
    // The handle is not kept: the bound pointers need the library for the
    // rest of the run, and the platform unloads it with the process.
    void* library = tk::loadLibrary("KORDRV");
    if (!library)
        return;

    // A miss does not stop the lookups, so a library that lacks some exports
    // still offers the others, the card count above all.
    bool all = bind(library, "GetNumCards", GetNumCards);
    all &= bind(library, "QueryCardInfo", QueryCardInfo);
    all &= bind(library, "QueryBARBase", QueryBARBase);
    all &= bind(library, "WaitForIRQ", WaitForIRQ);
    all &= bind(library, "COSWaitForIRQ", COSWaitForIRQ);
    all &= bind(library, "WDGHandleIRQ", WDGHandleIRQ);
    all &= bind(library, "AbortRequest", AbortRequest);
    all &= bind(library, "CloseCard", CloseCard);
    all &= bind(library, "WDGInit", WDGInit);
    all &= bind(library, "WDGSetTimeout", WDGSetTimeout);
    all &= bind(library, "WDGSetResetDuration", WDGSetResetDuration);
    all &= bind(library, "WDGPet", WDGPet);
    all &= bind(library, "WDGReadTemp", WDGReadTemp);
    all &= bind(library, "WDGReadStatus", WDGReadStatus);
    all &= bind(library, "WDGStart", WDGStart);
    all &= bind(library, "WDGStop", WDGStop);
    all &= bind(library, "EmergencyReboot", EmergencyReboot);
    all &= bind(library, "InPortB", InPortB);
    all &= bind(library, "OutPortB", OutPortB);
    all &= bind(library, "InPort", InPort);
    all &= bind(library, "OutPort", OutPort);
    all &= bind(library, "InPortL", InPortL);
    all &= bind(library, "OutPortL", OutPortL);
    all &= bind(library, "InPortDWord", InPortDWord);
    all &= bind(library, "OutPortDWord", OutPortDWord);
    all &= bind(library, "RelInPortB", RelInPortB);
    all &= bind(library, "RelOutPortB", RelOutPortB);
    all &= bind(library, "RelInPort", RelInPort);
    all &= bind(library, "RelOutPort", RelOutPort);
    all &= bind(library, "RelInPortL", RelInPortL);
    all &= bind(library, "RelOutPortL", RelOutPortL);
    all &= bind(library, "RelInPortDWord", RelInPortDWord);
    all &= bind(library, "RelOutPortDWord", RelOutPortDWord);
    DriverLibraryLoaded = all;
}

int32_t cardCount()
{
    return GetNumCards ? GetNumCards() : 0;
}

}
