#pragma once

#include <cstdint>

// What the installation does after the hook returns.
enum InstallExitResult : int {
    kInstallDone = 0,
    kInstallUninstall = 1,
};

// The installation's post-install entry point, called once after the files
// are in place: unpacks the gzip-shipped files of installFolder. The parent
// window and the installation's failure counters are accepted but unused.
extern "C" int Install_Exit(void* parentWindow, const char* installFolder, std::uint16_t failedFolders,
                            std::uint16_t failedFiles, std::uint16_t failedRegistryKeys,
                            std::uint16_t failedRegistryValues, std::uint16_t failedShortcuts);

using InstallExitFunction = decltype(&Install_Exit);
