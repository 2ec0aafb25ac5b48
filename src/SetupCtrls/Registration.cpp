#include "SetupCtrls/Registration.h"

#include "SetupCtrls/TBoardHighlight.h"
#include "SetupCtrls/TBoardImage.h"
#include "SetupCtrls/TSetupSupporter.h"
#include "SetupCtrls/TRadioPanel.h"
#include "SetupCtrls/TThreeJumper.h"
#include "toolkit/ClassRegistry.h"
#include "toolkit/StandardControls.h"

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
        return true;
    }();
    Q_UNUSED(done);
}

}
