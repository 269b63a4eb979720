#include "DisplayHooks.h"

namespace BPrivate {

namespace {

// Constant-initialised, so that an interface kit registering during static initialisation
// never finds it unset later.
const DisplayHooks* sHooks = nullptr;

} // namespace

void set_display_hooks(const DisplayHooks* hooks)
{
	sHooks = hooks;
}

const DisplayHooks* display_hooks()
{
	return sHooks;
}

} // namespace BPrivate
