// The global records meet the shared preference store here: the app-private record lives in
// settings/, below the store in iap/, so the member that reads from the store is defined in
// this folder, which sees both.
#include "AccLabel.h"

#include <MergeAcceleratorKey.h>
#include <TGlowplateAppPrivacy.h>
#include <TIAPItemAccKeyFormat.h>
#include <TInterAppPrefs.h>

BString acc_label(const BString& key, const BString& label)
{
	return merge_accelerator_key(gAppPrivacy.mAccKeyFormat, key, label);
}

void TGlowplateAppPrivacy::UpdateAccFormat()
{
	gIAPs.GetString(IAP_NAME_ACC_KEY_FORMAT, &mAccKeyFormat);
}
