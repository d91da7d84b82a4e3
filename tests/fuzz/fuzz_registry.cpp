// registry.reg is a file anyone can edit; the parser must take any bytes.
#include "registry/RegistryFile.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const RegistryFile file =
        RegistryFile::parse(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    // Queries that reach the parsed tables, including a name that needs case folding.
    const RegistryValue v =
        file.value(QStringLiteral("HKEY_CURRENT_USER\\Software\\ELO Digital\\Elo32.1\\Options"), QStringLiteral("ActiveUser"));
    if (v.type == RegistryValueType::String || v.type == RegistryValueType::ExpandString)
        (void)v.text.size();
    (void)file.hasKey(QStringLiteral("HKCU\\Software"));
    return 0;
}
