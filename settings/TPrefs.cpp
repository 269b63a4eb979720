#include "TPrefs.h"

#include "AppIdentity.h"

namespace {

const char kFileName[] = "Glowplate_Prefs.arc";

} // namespace

TPrefs::TPrefs() = default;

TPrefs::~TPrefs() = default;

status_t TPrefs::LoadFromFile()
{
	return LoadByName(gAppSettingsFolder, kFileName);
}

status_t TPrefs::SaveToFile() const
{
	return SaveByName(gAppSettingsFolder, kFileName);
}
