// One Command shortcut of a window: a key (lower case) with the modifiers that must be held
// besides Command, and the message it sends.
#ifndef _WINDOW_SHORTCUT_H
#define _WINDOW_SHORTCUT_H

#include <memory>

#include <Message.h>
#include <Messenger.h>

namespace BPrivate {

struct WindowShortcut {
	uint32 key;
	uint32 modifiers;
	std::unique_ptr<BMessage> message;
	// Null target: the window itself.
	BHandler* target;
	int32 targetToken;
};

} // namespace BPrivate

#endif
