#include "TExitStates.h"

#include <Message.h>

#include "AppIdentity.h"

namespace {

const char kFileName[] = "Glowplate_ExitStates.arc";
const char kColorsField[] = "Clrs";

} // namespace

TExitStates::TExitStates() : mDisplayText("各駅停車"), mWindowFrame(50, 50, 350, 300)
{
	for (auto& set : mFavoriteColorSets) {
		for (rgb_color& color : set)
			color = rgb_color{0, 0, 0, 255};
	}
}

TExitStates::~TExitStates() = default;

status_t TExitStates::Archive(BMessage* into, bool deep) const
{
	status_t status = TTamarackArchivable::Archive(into, deep);
	if (into == nullptr)
		return status;

	for (const auto& set : mFavoriteColorSets) {
		for (const rgb_color& color : set) {
			status |= into->AddData(kColorsField, B_RAW_TYPE, &color, sizeof(color), true,
			                        kFavoriteColorSets * kColorsPerSet);
		}
	}
	status |= into->AddString("_Ver", gAppVer);
	status |= into->AddString("DpTx", mDisplayText);
	status |= into->AddRect("_WFr", mWindowFrame);
	return status;
}

status_t TExitStates::Unarchive(const BMessage* from)
{
	status_t status = TTamarackArchivable::Unarchive(from);
	if (from == nullptr)
		return B_BAD_VALUE;

	for (int32 set = 0; set < kFavoriteColorSets; set++) {
		for (int32 index = 0; index < kColorsPerSet; index++) {
			rgb_color& color = mFavoriteColorSets[set][index];
			// A transparent favourite would show as nothing in the editor's wells.
			if (FindColorBytes(from, kColorsField, B_RAW_TYPE, set * kColorsPerSet + index,
			                   &color) == B_OK)
				color.alpha = 255;
		}
	}
	status |= FindString(from, "_Ver", &mVersion);
	status |= FindString(from, "DpTx", &mDisplayText);
	status |= FindRect(from, "_WFr", &mWindowFrame);
	return status;
}

status_t TExitStates::LoadFromFile()
{
	return LoadByName(gAppSettingsFolder, kFileName);
}

status_t TExitStates::SaveToFile() const
{
	return SaveByName(gAppSettingsFolder, kFileName);
}
