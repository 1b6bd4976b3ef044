#pragma once

// Pixel constants are given for a 96-dpi screen; these scale them to the
// screen the program runs on.

// n × dpi / 96, truncated toward zero, with the primary screen's horizontal
// logical dpi read once per run.
int ScaleByDpi(int n);

// The same computation for a given dpi.
int ScaleByDpiAt(int n, int dpi);

// The primary screen's horizontal logical dpi (96 without a screen), read once.
int ScreenDpi();
