// The hooks behind modifiers(). It asks, in this order: a source installed here (the running
// display backend's); else, unless GLOWPLATE_BACKEND=headless, the X server at $DISPLAY,
// which can tell before any window exists; else the headless state that tests set here. Where
// neither a source nor an X server answers (a Wayland-only session), no keys are held.
#ifndef _MODIFIERS_SOURCE_H
#define _MODIFIERS_SOURCE_H

#include <SupportDefs.h>

namespace BPrivate {

typedef uint32 (*modifiers_source)();

// Installs the function modifiers() calls; null removes it again.
void set_modifiers_source(modifiers_source source);
// Sets what modifiers() reports when neither a source nor an X server answers.
void set_headless_modifiers(uint32 modifiers);

} // namespace BPrivate

#endif
