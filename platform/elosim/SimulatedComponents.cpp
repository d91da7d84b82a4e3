#include "SimulatedComponents.h"

#include "AppError.h"
#include "SimulatedEloClient.h"
#include "automation/ClassRegistry.h"
#include "registry/PlatformFolder.h"

#include <QDebug>

namespace {
automation::Factory simulatedClient(const QString &description)
{
    return [description] {
        try {
            return std::make_shared<SimulatedEloClient>(
                description, EloClientState::load(platformFile(QStringLiteral("elo-client.json"))));
        } catch (const AppError &e) {
            // The tool itself only learns that ELO is not there; someone
            // trying it needs to see why the stand-in refused.
            qWarning().noquote() << description << QStringLiteral(":") << e.message();
            throw;
        }
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
