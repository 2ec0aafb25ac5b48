#include "SetupCtrls/TSetupSupporter.h"

#include "toolkit/Error.h"
#include "toolkit/TApplication.h"

TSetupSupporter::TSetupSupporter(QObject* owner)
    : QObject(owner)
{
}

TSetupSupporter::~TSetupSupporter() = default;

void TSetupSupporter::setChannels(int value)
{
    if (value < 0 || value > 255)
        throw tk::Error(QStringLiteral("Channels must lie between 0 and 255, not %1.").arg(value));
    m_channels = value;
}

void TSetupSupporter::ApplicationIdle(QObject*, bool&)
{
    if (TApplication* app = TApplication::instance())
        app->setOnIdle({});
}
