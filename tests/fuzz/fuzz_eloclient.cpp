// elo-client.json is a file anyone can edit: parsing must either succeed or
// raise AppError, and the simulated client must answer any member on what it
// accepted. Run it with the seeds (see CMakeLists.txt):
//   build-fuzz/bin/fuzz_eloclient -dict=tests/fuzz/fuzz_eloclient.dict CORPUS tests/fuzz/seeds/eloclient
#include "AppError.h"
#include "elosim/EloClientState.h"
#include "elosim/SimulatedEloClient.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    EloClientState state;
    try {
        state = EloClientState::parse(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    } catch (const AppError &) {
        return 0;
    }
    SimulatedEloClient elo(QStringLiteral("fuzz"), state);
    try {
        for (const auto &mask : state.masks) {
            const QVariant number = elo.call(QStringLiteral("LookupMaskName"), QVariantList{mask.name});
            elo.call(QStringLiteral("ReadObjMask"), QVariantList{number});
            for (int line = -1; line <= 50; ++line)
                elo.call(QStringLiteral("GetObjAttribName"), QVariantList{line});
        }
        for (int line = -1; line <= state.postbox.size(); ++line) {
            elo.call(QStringLiteral("PostBoxLineSelected"), QVariantList{line});
            elo.call(QStringLiteral("SelectPostBoxLine"), QVariantList{line});
            elo.call(QStringLiteral("ActivePostFile"));
        }
    } catch (const AppError &) {
        __builtin_trap(); // every member above is known and takes these arguments
    }
    return 0;
}
