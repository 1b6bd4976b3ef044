#include "core/zip_library.h"

#include <dlfcn.h>

namespace {

ZipLibrary Load()
{
    ZipLibrary library;
    void* handle = ::dlopen(GRIDMOOR_LIBZIP_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        library.error = QString::fromLocal8Bit(::dlerror());
        return library;
    }
#define GRIDMOOR_ZIP_RESOLVE(name)                                                                             \
    library.name = reinterpret_cast<decltype(&::name)>(::dlsym(handle, #name));                                \
    if (library.name == nullptr)                                                                               \
        library.error = QStringLiteral(GRIDMOOR_LIBZIP_SONAME " lacks " #name);
    GRIDMOOR_ZIP_FUNCTIONS(GRIDMOOR_ZIP_RESOLVE)
#undef GRIDMOOR_ZIP_RESOLVE
    return library;
}

} // namespace

const ZipLibrary& Zip()
{
    static const ZipLibrary library = Load();
    return library;
}
