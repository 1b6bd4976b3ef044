#pragma once

#include <thread>

// Loads the system's font configuration (fontconfig's files and caches, about
// 6 ms) on a second thread while the main thread connects to the display.
// The first text the window lays out needs that configuration; loaded here,
// it is ready by then instead of being loaded on the way to the first paint.
// Finish waits for the thread; it is called before anything else in the
// program uses fonts, so fontconfig is never used from two threads of ours
// at once (the library itself is thread-safe in any case).
class FontConfigWarmup {
public:
    FontConfigWarmup();
    ~FontConfigWarmup();
    FontConfigWarmup(const FontConfigWarmup&) = delete;
    FontConfigWarmup& operator=(const FontConfigWarmup&) = delete;

    void Finish();

private:
    std::thread thread_;
};
