// The platform's modifier mask for each modifier key of a PC keyboard, in one place for every
// source of keyboard state (SDL's events, the X server). Command is Ctrl, Control is Alt and
// Option is Super, so that the platform's Command shortcuts are those a Linux user expects
// (Ctrl+Q quits) and the letters that labels mark as "(S)" are pressed with Alt.
#ifndef _MODIFIER_KEYS_H
#define _MODIFIER_KEYS_H

#include <InterfaceDefs.h>

namespace BPrivate {

enum : uint32 {
	kLeftShiftModifiers = B_SHIFT_KEY | B_LEFT_SHIFT_KEY,
	kRightShiftModifiers = B_SHIFT_KEY | B_RIGHT_SHIFT_KEY,
	kLeftCtrlModifiers = B_COMMAND_KEY | B_LEFT_COMMAND_KEY,
	kRightCtrlModifiers = B_COMMAND_KEY | B_RIGHT_COMMAND_KEY,
	kLeftAltModifiers = B_CONTROL_KEY | B_LEFT_CONTROL_KEY,
	kRightAltModifiers = B_CONTROL_KEY | B_RIGHT_CONTROL_KEY,
	kLeftSuperModifiers = B_OPTION_KEY | B_LEFT_OPTION_KEY,
	kRightSuperModifiers = B_OPTION_KEY | B_RIGHT_OPTION_KEY,
};

} // namespace BPrivate

#endif
