#include "AppLifecycle.h"

#include <cstdlib>

#include <AppIdentity.h>
#include <TIAPItemAccKeyFormat.h>

#include "Globals.h"

const char kDesktopAppId[] = "jp.tamarack.GlowplateMaker";

void prepare_display_identity()
{
	setenv("SDL_VIDEO_X11_WMCLASS", kDesktopAppId, 0);
}

void load_glowplate_records()
{
	gExitStates.LoadFromFile();
	gPrefs.LoadFromFile();
	gProperty.LoadFromFile();
	gIAPs.SetAppSignatureRef(gAppSignature);
	// The store owns the item from here on.
	gIAPs.AddItem(new TIAPItemAccKeyFormat);
	gAppPrivacy.UpdateAccFormat();
}

void save_glowplate_records()
{
	gProperty.SaveToFile();
	gExitStates.SaveToFile();
}
