#pragma once

#include "data/page_layout.h"

class CPuzzle;

// The texts and grid size a printed page shows for the open puzzle, decoded
// for display: the across and the down clues under their headings with their
// numbers, in the puzzle's order, then each further list that names its
// squares under its own title. A puzzle without a title is printed under
// the given fallback (its file name).
PageContent PageContentOf(const CPuzzle& puzzle, const QString& fallbackTitle);
