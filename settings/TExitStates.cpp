#include "TExitStates.h"

#include <Message.h>

#include "AppIdentity.h"
#include "TUTF8Utils.h"

namespace {

const char kFileName[] = "Glowplate_ExitStates.arc";
const char kColorsField[] = "Clrs";
const char kDisplayTextField[] = "DpTx";

// The byte length of the longest beginning of text that has at most maxBytes bytes and ends
// between two characters, stepping by characters as every other UTF-8 function here does.
int32 prefix_length(const BString& text, ssize_t maxBytes)
{
	int32 end = 0;
	while (end < text.Length()) {
		int32 next = end + TUTF8Utils::NumBytes(text[end]);
		if (next > maxBytes)
			break;
		end = next;
	}
	return end;
}

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
	// The text is filled in last, into the room that everything else leaves under the file
	// size limit: a text pasted by mistake may be cut, but it never costs the favourites and
	// the frame their place in the file. No further room is kept back; the text may take it
	// all, since the other fields are measured rather than estimated.
	status |= into->AddString(kDisplayTextField, "");
	status |= into->AddRect("_WFr", mWindowFrame);
	ssize_t room = kMaxFileSize - into->FlattenedSize();
	if (mDisplayText.Length() <= room) {
		status |= into->ReplaceString(kDisplayTextField, mDisplayText);
	} else {
		BString cut(mDisplayText.String(), prefix_length(mDisplayText, room));
		status |= into->ReplaceString(kDisplayTextField, cut);
	}
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
