// The caption that every alert window of the program carries.
#ifndef ALERT_CAPTION_H
#define ALERT_CAPTION_H

#include <String.h>

// The localised caption text with every "%AppName%" replaced by the localised English
// application name; "* Glowplate Maker *" while no dictionary is loaded.
BString alert_caption();

#endif
