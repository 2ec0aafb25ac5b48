#include "SetupCtrls/Registration.h"

#include "SetupCtrls/board/BoardAccessibility.h"
#include "SetupCtrls/board/TBoardHighlight.h"
#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/board/TRadioPanel.h"
#include "SetupCtrls/board/TThreeJumper.h"
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
