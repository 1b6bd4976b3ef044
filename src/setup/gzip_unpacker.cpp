#include "setup/gzip_unpacker.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kZlibFile[] = "libz.so.1";
constexpr char kTempFilePattern[] = "gmXXXXXX";
constexpr char kAllEntries[] = "*.*";

// Reports why the hook fails, for the person running the installation, and
// answers false so callers can return it.
bool Fail(const char* what, const char* path, int error = errno)
{
    if (error != 0)
        std::fprintf(stderr, "GridmoorSetup: %s %s: %s\n", what, path, std::strerror(error));
    else
        std::fprintf(stderr, "GridmoorSetup: %s %s\n", what, path);
    return false;
}

// Writes folder + "/" + name into target; false when it would not fit.
bool JoinPath(char* target, const char* folder, const char* name)
{
    const int length = std::snprintf(target, CGzipUnpacker::kMaxPath, "%s/%s", folder, name);
    return length >= 0 && static_cast<std::size_t>(length) < CGzipUnpacker::kMaxPath;
}

// Reports an installation folder whose path leaves no room in the hook's
// buffers for the name of a file in it, and gives the longest that would do.
bool FolderPathTooLong(const char* folder, const char* name)
{
    const std::size_t longestPath = CGzipUnpacker::kMaxPath - 1;
    const std::size_t nameWithSeparator = std::strlen(name) + 1;
    const std::size_t limit = longestPath > nameWithSeparator ? longestPath - nameWithSeparator : 0;
    std::fprintf(stderr,
                 "GridmoorSetup: the installation folder's path is too long: it has %zu bytes, and at most %zu "
                 "leave room for its file %s (the setup hook takes paths of at most %zu bytes): %s\n",
                 std::strlen(folder), limit, name, longestPath, folder);
    return false;
}

bool EndsWithGz(const char* name)
{
    const std::size_t length = std::strlen(name);
    return length >= 3 && std::strcmp(name + length - 3, ".gz") == 0;
}

// "*.*" stands for every entry, as installers have always written it, though
// fnmatch would want a dot in the name.
bool Matches(const char* name, const char* pattern)
{
    return std::strcmp(pattern, kAllEntries) == 0 || fnmatch(pattern, name, 0) == 0;
}

// The names of the folder's entries that match the pattern, sorted, so that
// files replaced during the walk are never listed twice.
bool ListFolder(const char* folder, const char* pattern, std::vector<std::string>* names)
{
    DIR* directory = opendir(folder);
    if (directory == nullptr)
        return Fail("cannot list the installation folder", folder);
    errno = 0;
    while (const dirent* entry = readdir(directory)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0
            && Matches(entry->d_name, pattern))
            names->emplace_back(entry->d_name);
        errno = 0;
    }
    const int error = errno;
    closedir(directory);
    if (error != 0)
        return Fail("cannot list the installation folder", folder, error);
    std::sort(names->begin(), names->end());
    return true;
}

template <typename Function>
bool LookUp(void* library, const char* name, Function* function)
{
    *function = reinterpret_cast<Function>(dlsym(library, name));
    if (*function == nullptr)
        return Fail("finds no function in its zlib named", name, 0);
    return true;
}

} // namespace

CGzipUnpacker::~CGzipUnpacker()
{
    Release();
}

bool CGzipUnpacker::Run(const char* installFolder, const char* pattern)
{
    const bool done = LoadZlib(installFolder) && CreateTempFile(installFolder) && Walk(installFolder, pattern);
    Release();
    return done;
}

bool CGzipUnpacker::LoadZlib(const char* installFolder)
{
    char path[kMaxPath];
    if (!JoinPath(path, installFolder, kZlibFile))
        return FolderPathTooLong(installFolder, kZlibFile);
    zlib_ = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (zlib_ == nullptr) {
        std::fprintf(stderr, "GridmoorSetup: cannot load %s\n", dlerror());
        return false;
    }
    return LookUp(zlib_, "gzopen", &gzopen_) && LookUp(zlib_, "gzclose", &gzclose_)
        && LookUp(zlib_, "gzread", &gzread_);
}

// The one temporary file every unpacked file is written into before it
// replaces the original; beside them, so the replacement is a rename.
bool CGzipUnpacker::CreateTempFile(const char* installFolder)
{
    tempPath_ = std::make_unique<char[]>(kMaxPath);
    if (!JoinPath(tempPath_.get(), installFolder, kTempFilePattern)) {
        tempPath_.reset();
        return FolderPathTooLong(installFolder, kTempFilePattern);
    }
    const int descriptor = mkstemp(tempPath_.get());
    if (descriptor < 0) {
        tempPath_.reset();
        return Fail("cannot create a temporary file in", installFolder);
    }
    close(descriptor);
    return true;
}

// Every path is formed before the first file is touched, so a name too long
// for the buffers fails the walk with the folder as it was.
bool CGzipUnpacker::Walk(const char* installFolder, const char* pattern)
{
    std::vector<std::string> names;
    if (!ListFolder(installFolder, pattern, &names))
        return false;
    char fullPath[kMaxPath];
    for (const std::string& name : names) {
        if (!JoinPath(fullPath, installFolder, name.c_str()))
            return FolderPathTooLong(installFolder, name.c_str());
    }
    for (const std::string& name : names) {
        JoinPath(fullPath, installFolder, name.c_str());
        FindRecord record{name.c_str(), {}};
        if (lstat(fullPath, &record.status) != 0) {
            // The temporary file is gone once it replaced an unpacked file.
            if (errno == ENOENT)
                continue;
            return Fail("cannot read the status of", fullPath);
        }
        if (!VisitFile(record, fullPath))
            return false;
        if (!ShouldContinue())
            return true;
    }
    return true;
}

// Folders, links and other special entries are never shipped compressed and
// are skipped, as are names ending in ".gz", which stay compressed on purpose.
bool CGzipUnpacker::VisitFile(const FindRecord& record, const char* fullPath)
{
    if (!S_ISREG(record.status.st_mode) || EndsWithGz(record.name))
        return true;
    switch (TestHeader(fullPath)) {
    case Header::NotGzip:
        return true;
    case Header::Error:
        return false;
    case Header::Gzip:
        break;
    }
    return Unpack(fullPath) && ReplaceWithTempFile(fullPath, record.status);
}

bool CGzipUnpacker::ShouldContinue()
{
    return true;
}

// A gzip file starts with the bytes 0x1F 0x8B, the method and flags bytes and
// a 4-byte time; a file too short for that is not one.
CGzipUnpacker::Header CGzipUnpacker::TestHeader(const char* path) const
{
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        if (errno == ENOENT || errno == EACCES)
            return Header::NotGzip;
        Fail("cannot open", path);
        return Header::Error;
    }
    unsigned char magic[2] = {};
    unsigned char methodAndFlags[2] = {};
    unsigned char time[4] = {};
    Header header = Header::Gzip;
    if (std::fread(magic, 1, sizeof magic, file) == sizeof magic) {
        if (magic[0] != 0x1F || magic[1] != 0x8B)
            header = Header::NotGzip;
        else if (std::fread(methodAndFlags, 1, sizeof methodAndFlags, file) != sizeof methodAndFlags
                 || std::fread(time, 1, sizeof time, file) != sizeof time)
            header = std::feof(file) ? Header::NotGzip : Header::Error;
    } else {
        header = std::feof(file) ? Header::NotGzip : Header::Error;
    }
    if (header == Header::Error)
        Fail("cannot read", path);
    std::fclose(file);
    return header;
}

// Streams the gzip file into the temporary file. A damaged or cut-off stream
// fails here, while the original is still in place: gzread reports damage,
// and gzclose reports a stream that ended before its trailer.
bool CGzipUnpacker::Unpack(const char* path) const
{
    GzFile source = gzopen_(path, "rb");
    if (source == nullptr)
        return Fail("cannot open the gzip stream of", path);
    std::FILE* target = std::fopen(tempPath_.get(), "wb");
    if (target == nullptr) {
        Fail("cannot write", tempPath_.get());
        gzclose_(source);
        return false;
    }
    std::setvbuf(target, nullptr, _IONBF, 0);
    bool done = CopyBlocks(source, target);
    done = fsync(fileno(target)) == 0 && done;
    done = std::fclose(target) == 0 && done;
    done = gzclose_(source) == 0 && done;
    return done || Fail("cannot unpack the damaged or incomplete gzip file", path, 0);
}

bool CGzipUnpacker::CopyBlocks(GzFile source, std::FILE* target) const
{
    char buffer[kBlockSize];
    for (;;) {
        const int count = gzread_(source, buffer, kBlockSize);
        if (count == 0)
            return true;
        if (count < 0 || std::fwrite(buffer, 1, static_cast<std::size_t>(count), target) != static_cast<std::size_t>(count))
            return false;
    }
}

// The rename replaces the original in one step, so there is no moment
// without the file. The temporary file was created private to its owner; the
// unpacked file gets the permissions and times the compressed one had.
bool CGzipUnpacker::ReplaceWithTempFile(const char* path, const struct stat& original) const
{
    if (chmod(tempPath_.get(), original.st_mode & 07777) != 0 || rename(tempPath_.get(), path) != 0) {
        Fail("cannot replace", path);
        unlink(tempPath_.get());
        return false;
    }
    const timespec times[2] = {original.st_atim, original.st_mtim};
    utimensat(AT_FDCWD, path, times, 0);
    return true;
}

// The temporary file is removed whether the walk succeeded or not; once it
// replaced a file it is already gone.
void CGzipUnpacker::Release()
{
    if (tempPath_ != nullptr)
        unlink(tempPath_.get());
    tempPath_.reset();
    if (zlib_ != nullptr)
        dlclose(zlib_);
    zlib_ = nullptr;
    gzopen_ = nullptr;
    gzclose_ = nullptr;
    gzread_ = nullptr;
}
