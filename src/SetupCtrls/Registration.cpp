#include "SetupCtrls/Registration.h"

#include "SetupCtrls/board/BoardAccessibility.h"
#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TRadioPanel.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "toolkit/controls/StandardControls.h"
#include "toolkit/form/ClassRegistry.h"

namespace SetupCtrls {

void registerClasses()
{
    static const bool done = [] {
        tk::registerStandardClasses();
        tk::registerClass<TRadioPanel>();
        tk::registerClass<TThreeJumper>();
        tk::registerClass<TBoardImage>();
        tk::registerClass<TBoardHighlight>();
        tk::registerClass<TSetupSupporter>();
        installBoardAccessibility();
        return true;
    }();
    Q_UNUSED(done);
}

}
