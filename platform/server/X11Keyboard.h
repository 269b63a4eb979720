// The live keyboard state from an X server, for modifiers(): the program may ask before any
// window exists (the settings' four-key reset is checked first thing), and an X client can
// ask the server at any time which keys are down. The reader keeps a connection of its own,
// opened on first use at $DISPLAY and guarded by a lock, so it never disturbs SDL's.
#ifndef _X11_KEYBOARD_H
#define _X11_KEYBOARD_H

#include <SupportDefs.h>

namespace BPrivate {

// Stores the platform's modifier mask of the keys held at this moment (with left and right
// told apart, and the Caps Lock and Num Lock states). False, leaving *modifiers alone, when
// DISPLAY is unset or no X server answers there; the first failure is remembered.
bool read_x11_modifiers(uint32* modifiers);

// Whether an X server answers at $DISPLAY (the reader's connection is opened to find out).
bool x11_server_answers();

} // namespace BPrivate

#endif
