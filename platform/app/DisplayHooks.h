// What the application kit needs of the display without depending on the interface kit: the
// interface kit installs these when it is part of the program, and the application object
// starts and stops the display through them; the clipboard reaches the system's text through
// them. A program without windows has none, and its clipboard stays within the process.
#ifndef _DISPLAY_HOOKS_H
#define _DISPLAY_HOOKS_H

#include <string>

namespace BPrivate {

struct DisplayHooks {
	void (*start)();
	void (*stop)();
	// False when there is no running display.
	bool (*getClipboard)(std::string* text);
	bool (*setClipboard)(const std::string& text);
};

void set_display_hooks(const DisplayHooks* hooks);
const DisplayHooks* display_hooks();

} // namespace BPrivate

#endif
