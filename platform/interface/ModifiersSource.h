// The hook behind modifiers(): the display backend installs a function that asks the display
// server for the live keyboard state; headless runs and tests set the state directly instead.
#ifndef _MODIFIERS_SOURCE_H
#define _MODIFIERS_SOURCE_H

#include <SupportDefs.h>

namespace BPrivate {

typedef uint32 (*modifiers_source)();

// Installs the function modifiers() calls; null returns to the headless state.
void set_modifiers_source(modifiers_source source);
// Sets what modifiers() reports while no source is installed.
void set_headless_modifiers(uint32 modifiers);

} // namespace BPrivate

#endif
