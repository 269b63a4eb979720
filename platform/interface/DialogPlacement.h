// Where a dialog (an alert, a file panel) appears: over the window the user is working in,
// where the eyes are, or in the middle of the screen when no window has the keyboard; never
// past the screen's edges.
#ifndef _DIALOG_PLACEMENT_H
#define _DIALOG_PLACEMENT_H

#include <Point.h>

namespace BPrivate {

// The top left corner, in screen coordinates, for a dialog of this size (Frame().Width() and
// Height(), that is one less than the pixels).
BPoint dialog_position(float width, float height);

} // namespace BPrivate

#endif
