#pragma once

#include <QString>

#include <zip.h>

// libzip's functions, loaded when the first archive is opened. Linked to the
// program, libzip would load OpenSSL's libcrypto (which it needs only for
// encrypted archives) at every start: about 1.4 MB of resident memory for
// sessions that mostly open no archive at all.
#define GRIDMOOR_ZIP_FUNCTIONS(F)                                                                              \
    F(zip_close) F(zip_discard) F(zip_error_fini) F(zip_error_init) F(zip_fclose) F(zip_file_replace)          \
    F(zip_file_strerror) F(zip_fopen_index) F(zip_fread) F(zip_get_num_entries) F(zip_open_from_source)        \
    F(zip_set_file_compression) F(zip_source_buffer_create) F(zip_source_close) F(zip_source_free)             \
    F(zip_source_keep) F(zip_source_open) F(zip_source_read) F(zip_source_stat) F(zip_stat_index)              \
    F(zip_stat_init) F(zip_strerror)

struct ZipLibrary {
#define GRIDMOOR_ZIP_MEMBER(name) decltype(&::name) name = nullptr;
    GRIDMOOR_ZIP_FUNCTIONS(GRIDMOOR_ZIP_MEMBER)
#undef GRIDMOOR_ZIP_MEMBER
    // Empty once every function was found; else why the library is unusable.
    QString error;
};

// The library, loaded on the first call (from any thread) and kept.
const ZipLibrary& Zip();
