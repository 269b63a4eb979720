// Message codes that the toolkit's windows and views share with the rest of the maker's
// applications.
#ifndef TOOLKIT_DEFS_H
#define TOOLKIT_DEFS_H

#include <SupportDefs.h>

enum : uint32 {
	// A shared preference changed (sent by the shared preference store).
	MSG_IAP_CHANGED = '_ipc',
	// The display language changed.
	MSG_LANGUAGE_CHANGED = '_lng',
};

#endif
