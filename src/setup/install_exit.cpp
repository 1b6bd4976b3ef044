#include "setup/install_exit.h"

#include "setup/gzip_unpacker.h"

extern "C" __attribute__((visibility("default"))) int Install_Exit(
    void* /*parentWindow*/, const char* installFolder, std::uint16_t /*failedFolders*/,
    std::uint16_t /*failedFiles*/, std::uint16_t /*failedRegistryKeys*/,
    std::uint16_t /*failedRegistryValues*/, std::uint16_t /*failedShortcuts*/)
{
    if (installFolder == nullptr)
        return kInstallUninstall;
    CGzipUnpacker unpacker;
    return unpacker.Run(installFolder, "*.*") ? kInstallDone : kInstallUninstall;
}
