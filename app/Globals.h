// The global records that live for the whole process. They are all defined in Globals.cpp, so
// that they are constructed in the order of their definitions there (the locale first, then
// the settings records) and destroyed in the reverse order after main returns.
#ifndef GLOBALS_H
#define GLOBALS_H

#include <TExitStates.h>
#include <TGlowplateAppPrivacy.h>
#include <TInterAppPrefs.h>
#include <TLocale.h>
#include <TPrefs.h>
#include <TProperty.h>

#endif
