#include "AlertCaption.h"

#include <TLocale.h>

#include "AppIdentity.h"
#include "SettingsLocaleKeys.h"

BString alert_caption()
{
	// Copy each text at once: a lookup hands out the dictionary's characters.
	BString caption(gLocale.GetString(LKK_ALERT_CAPTION));
	BString appName(gLocale.GetString(gAppNameEnUs));
	caption.ReplaceAll("%AppName%", appName.String());
	return caption;
}
