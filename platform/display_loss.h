// The display lost under the program (its nested window closed, its X server gone).
#pragma once

namespace verdal {

// From now on, losing the display ends the process at once with status 1 and a French line
// on stderr. Qt's X11 platform would call exit() instead, which tears down the process's
// static objects under the screens' running threads and can end in a crash report. Nothing
// is half-written: the user-interface thread notices the loss between events, never inside
// a save.
void EndQuietlyOnDisplayLoss();

}  // namespace verdal
