// Runs the setup hook of an installation as an installer does once the files
// are in place: loads GridmoorSetup from the installation folder and calls its
// Install_Exit on that folder. Exits with 0 when the hook answered "done".
#include "setup/install_exit.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>

namespace {

constexpr char kHookFile[] = "libGridmoorSetup.so";

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s INSTALLATION-FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::string hookPath = folder + '/' + kHookFile;
    void* hook = dlopen(hookPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (hook == nullptr) {
        std::fprintf(stderr, "cannot load the setup hook: %s\n", dlerror());
        return 1;
    }
    const auto installExit = reinterpret_cast<InstallExitFunction>(dlsym(hook, "Install_Exit"));
    if (installExit == nullptr) {
        std::fprintf(stderr, "the setup hook %s has no Install_Exit\n", hookPath.c_str());
        dlclose(hook);
        return 1;
    }
    const int result = installExit(nullptr, folder.c_str(), 0, 0, 0, 0, 0);
    dlclose(hook);
    if (result != kInstallDone) {
        std::fprintf(stderr, "the setup hook could not unpack the shipped files in %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
