#pragma once

// Lets screen readers see the program's hand-painted windows (the grid, the
// on-screen keyboard, the All Clues lists). Qt asks the factory only when a
// screen reader asks for a window, so nothing is made while none runs.
// Installing it more than once is harmless.
void InstallAccessibleFactory();
