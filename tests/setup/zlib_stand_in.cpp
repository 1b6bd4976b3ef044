// A stand-in for the zlib library that lacks one of the three gzip functions
// the setup hook looks up; which one is chosen when it is compiled.
#define EXPORTED extern "C" __attribute__((visibility("default")))

#ifndef WITHOUT_GZOPEN
EXPORTED void* gzopen(const char*, const char*)
{
    return nullptr;
}
#endif

#ifndef WITHOUT_GZCLOSE
EXPORTED int gzclose(void*)
{
    return -1;
}
#endif

#ifndef WITHOUT_GZREAD
EXPORTED int gzread(void*, void*, unsigned)
{
    return -1;
}
#endif
