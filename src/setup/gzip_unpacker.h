#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdio>
#include <memory>

// One entry of the installation folder as the walk found it: its name and its
// status (type, permissions, time stamps) before anything touched it.
struct FindRecord {
    const char* name;
    struct stat status;
};

// Unpacks, in place, the files of an installation folder that were shipped
// gzip-compressed under their final names. It carries no decompression code:
// it loads the zlib library installed in the same folder and streams each file
// through gzopen/gzread/gzclose into a temporary file, which then replaces the
// original with its permissions and time stamps.
class CGzipUnpacker {
public:
    // Paths, including their terminating zero, fit in this many bytes; a
    // longer one is refused.
    static constexpr std::size_t kMaxPath = 260;
    static constexpr unsigned kBlockSize = 1024;

    CGzipUnpacker() = default;
    CGzipUnpacker(const CGzipUnpacker&) = delete;
    CGzipUnpacker& operator=(const CGzipUnpacker&) = delete;

    // Loads zlib, prepares the temporary file and walks the entries of the
    // folder that match the pattern ("*.*" is every entry). True on success.
    virtual bool Run(const char* installFolder, const char* pattern);
    // Handles one entry: true to go on, false to end the walk with failure.
    virtual bool VisitFile(const FindRecord& record, const char* fullPath);
    // Asked after each successful visit; false ends the walk with success.
    virtual bool ShouldContinue();
    virtual ~CGzipUnpacker();

private:
    enum class Header { Gzip, NotGzip, Error };
    using GzFile = void*;

    bool LoadZlib(const char* installFolder);
    bool CreateTempFile(const char* installFolder);
    bool Walk(const char* installFolder, const char* pattern);
    Header TestHeader(const char* path) const;
    bool Unpack(const char* path) const;
    bool CopyBlocks(GzFile source, std::FILE* target) const;
    bool ReplaceWithTempFile(const char* path, const struct stat& original) const;
    void Release();

    GzFile (*gzopen_)(const char*, const char*) = nullptr;
    int (*gzclose_)(GzFile) = nullptr;
    int (*gzread_)(GzFile, void*, unsigned) = nullptr;
    std::unique_ptr<char[]> tempPath_;
    void* zlib_ = nullptr;
};
