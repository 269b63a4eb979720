// TGlowplateAppPrivacy adds what this program takes from the preferences shared by the maker's
// applications: the format in which accelerator letters are shown in labels.
#ifndef T_GLOWPLATE_APP_PRIVACY_H
#define T_GLOWPLATE_APP_PRIVACY_H

#include "TAppPrivacy.h"

class TGlowplateAppPrivacy : public TAppPrivacy {
public:
	TGlowplateAppPrivacy();
	~TGlowplateAppPrivacy() override;

	// Reads the shared item "AccKeyFormat2" from the shared preference store into
	// mAccKeyFormat (unchanged while the store has no such item). Defined in app/AccLabel.cpp:
	// the store lies above the settings records, and the records do not depend on it.
	void UpdateAccFormat();

	// The value of the shared item "AccKeyFormat2"; empty until it has been read.
	BString mAccKeyFormat;
};

extern TGlowplateAppPrivacy gAppPrivacy;

#endif
