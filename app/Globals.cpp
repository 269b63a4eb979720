// C++ orders the construction of globals only within one translation unit, so every global
// record is defined here, in the order in which the records depend on each other: the locale
// serves the texts of all the others, and the sign parameters come last.
#include "Globals.h"

TLocale gLocale;
TExitStates gExitStates;
TInterAppPrefs gIAPs;
TGlowplateAppPrivacy gAppPrivacy;
TPrefs gPrefs;
TProperty gProperty;
