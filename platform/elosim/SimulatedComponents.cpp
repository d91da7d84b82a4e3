#include "SimulatedComponents.h"

#include "SimulatedEloClient.h"
#include "automation/ClassRegistry.h"
#include "registry/PlatformFolder.h"

namespace {
automation::Factory simulatedClient(const QString &description)
{
    return [description] {
        return std::make_shared<SimulatedEloClient>(
            description, EloClientState::load(platformFile(QStringLiteral("elo-client.json"))));
    };
}
} // namespace

void registerSimulatedEloClient()
{
    automation::registerClass(QStringLiteral("Elo.professional"),
                              simulatedClient(QStringLiteral("ELOprofessional (simuliert)")));
    automation::registerClass(QStringLiteral("Elo.office"), simulatedClient(QStringLiteral("ELOoffice (simuliert)")));
}

void unregisterSimulatedEloClient()
{
    automation::unregisterClass(QStringLiteral("Elo.professional"));
    automation::unregisterClass(QStringLiteral("Elo.office"));
}
