// The program's accelerator labels follow the format read from the shared store.
#include <gtest/gtest.h>

#include <AccLabel.h>
#include <Globals.h>
#include <TIAPItemAccKeyFormat.h>

#include "../support/BStringPrinter.h"
#include "IAPTestSupport.h"

namespace {

using AccLabelTest = SharedPrefsTest;

TEST_F(AccLabelTest, LabelsFollowTheFormatTheStoreHolds)
{
	gAppPrivacy.mAccKeyFormat = "";
	EXPECT_EQ(acc_label("S", "Save..."), "Save...");
	gAppPrivacy.mAccKeyFormat = "\002(a)";
	EXPECT_EQ(acc_label("S", "Save..."), "Save(S)...");

	// Without the item in the store the format stays as it was.
	gAppPrivacy.UpdateAccFormat();
	EXPECT_EQ(gAppPrivacy.mAccKeyFormat, "\002(a)");

	// As the program starts: another application chose a format, the item reads it, and the
	// record takes it from the store.
	BMessage chosen;
	chosen.AddString("AccKeyFormat2", "\001a・");
	WriteItemFile("AccKeyFormat2", chosen);
	gIAPs.SetAppSignatureRef(OWN_SIGNATURE);
	ASSERT_EQ(gIAPs.AddItem(new TIAPItemAccKeyFormat), B_OK);
	gAppPrivacy.UpdateAccFormat();
	EXPECT_EQ(gAppPrivacy.mAccKeyFormat, "\001a・");
	EXPECT_EQ(acc_label("F", "ファイル"), "F・ファイル");

	// A change from another application is followed after the next update.
	BMessage change = Change("AccKeyFormat2", OTHER_SIGNATURE);
	change.AddString("AccKeyFormat2", "\001a) ");
	ASSERT_EQ(gIAPs.SetValue(&change), B_OK);
	EXPECT_EQ(acc_label("Q", "Quit"), "Q・Quit") << "labels keep the format until the update";
	gAppPrivacy.UpdateAccFormat();
	EXPECT_EQ(acc_label("Q", "Quit"), "Q) Quit");
}

} // namespace
