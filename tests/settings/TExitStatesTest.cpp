#include <gtest/gtest.h>

#include <Entry.h>
#include <Message.h>

#include <TExitStates.h>
#include <TPrefs.h>
#include <TProperty.h>

#include "SettingsTestEnvironment.h"

namespace {

using ExitStatesTest = SettingsTest;

const char kExitStatesFile[] = "Glowplate_ExitStates.arc";

BMessage exit_states_header()
{
	BMessage archive;
	archive.AddString(B_CLASS_FIELD, "TExitStates");
	archive.AddString(B_CLASS_FIELD, "TArchivable");
	return archive;
}

void expect_defaults(const TExitStates& states)
{
	EXPECT_STREQ(states.mDisplayText.String(), "各駅停車");
	EXPECT_EQ(states.mWindowFrame, BRect(50, 50, 350, 300));
	EXPECT_STREQ(states.mVersion.String(), "");
	for (const auto& set : states.mFavoriteColorSets) {
		for (const rgb_color& color : set)
			EXPECT_EQ(color, (rgb_color{0, 0, 0, 255}));
	}
}

// The three records the program loads at start, in its order.
struct StartRecords {
	TExitStates states;
	TPrefs prefs;
	TProperty property;

	// Without usable files every load fails.
	void ExpectEveryLoadToFail()
	{
		EXPECT_EQ(states.LoadFromFile(), -1);
		EXPECT_EQ(prefs.LoadFromFile(), -1);
		EXPECT_EQ(property.LoadFromFile(), -1);
	}
};

TEST(TExitStatesTest, AFreshRecordHoldsTheDefaults)
{
	expect_defaults(TExitStates());
}

TEST(TExitStatesTest, ArchiveLaysOutTheColoursSetBySetAndWritesTheRunningVersion)
{
	TExitStates states;
	for (int32 set = 0; set < 9; set++) {
		for (int32 index = 0; index < 3; index++)
			states.mFavoriteColorSets[set][index] = rgb_color{(uint8)set, (uint8)index, 7, 9};
	}
	states.mVersion = "Ver 0.1";
	states.mDisplayText = "";

	BMessage archive;
	ASSERT_EQ(states.Archive(&archive), B_OK);
	type_code type = 0;
	int32 count = 0;
	ASSERT_EQ(archive.GetInfo("Clrs", &type, &count), B_OK);
	EXPECT_EQ(type, B_RAW_TYPE);
	ASSERT_EQ(count, 27);
	for (int32 item = 0; item < 27; item++) {
		const void* data = nullptr;
		ssize_t size = 0;
		ASSERT_EQ(archive.FindData("Clrs", B_RAW_TYPE, item, &data, &size), B_OK);
		ASSERT_EQ(size, 4);
		const uint8* bytes = static_cast<const uint8*>(data);
		EXPECT_EQ(bytes[0], item / 3);
		EXPECT_EQ(bytes[1], item % 3);
		EXPECT_EQ(bytes[3], 9) << "the alpha is written as it is";
	}
	EXPECT_STREQ(archive.GetString("_Ver", ""), "Ver 1.4");
	EXPECT_TRUE(archive.HasString("DpTx"));
	EXPECT_STREQ(archive.GetString("DpTx", "absent"), "");
	EXPECT_EQ(archive.GetRect("_WFr", BRect()), BRect(50, 50, 350, 300));
}

TEST_F(ExitStatesTest, RoundTripThroughTheFileWithOpaqueColours)
{
	TExitStates saved;
	saved.mFavoriteColorSets[0][0] = rgb_color{1, 2, 3, 0};
	saved.mFavoriteColorSets[4][1] = rgb_color{200, 100, 50, 128};
	saved.mFavoriteColorSets[8][2] = rgb_color{255, 254, 253, 255};
	saved.mDisplayText = "回送 Out of service";
	saved.mWindowFrame = BRect(-10.5f, 20, 900, 1200.25f);
	ASSERT_EQ(saved.SaveToFile(), B_OK);
	ASSERT_TRUE(path_exists(AppFile(kExitStatesFile)));

	TExitStates loaded;
	EXPECT_EQ(loaded.LoadFromFile(), B_OK);
	EXPECT_EQ(loaded.mFavoriteColorSets[0][0], (rgb_color{1, 2, 3, 255}));
	EXPECT_EQ(loaded.mFavoriteColorSets[4][1], (rgb_color{200, 100, 50, 255}));
	EXPECT_EQ(loaded.mFavoriteColorSets[8][2], (rgb_color{255, 254, 253, 255}));
	EXPECT_EQ(loaded.mFavoriteColorSets[4][0], (rgb_color{0, 0, 0, 255}));
	EXPECT_STREQ(loaded.mDisplayText.String(), "回送 Out of service");
	EXPECT_EQ(loaded.mWindowFrame, BRect(-10.5f, 20, 900, 1200.25f));
	EXPECT_STREQ(loaded.mVersion.String(), "Ver 1.4");
}

TEST_F(ExitStatesTest, MissingKeysCountExceptTheColours)
{
	// Everything but the colours: a complete file as far as the status goes.
	BMessage archive = exit_states_header();
	archive.AddString("_Ver", "Ver 1.3");
	archive.AddString("DpTx", "急行");
	archive.AddRect("_WFr", BRect(1, 2, 3, 4));
	WriteMessage(AppFile(kExitStatesFile), archive);
	TExitStates states;
	EXPECT_EQ(states.LoadFromFile(), B_OK);
	EXPECT_STREQ(states.mVersion.String(), "Ver 1.3");
	EXPECT_STREQ(states.mDisplayText.String(), "急行");
	EXPECT_EQ(states.mWindowFrame, BRect(1, 2, 3, 4));

	// Only the text and two colours: those apply, the rest stays and the load fails.
	archive = exit_states_header();
	archive.AddString("DpTx", "快速");
	rgb_color red = {255, 0, 0, 0};
	archive.AddData("Clrs", B_RAW_TYPE, &red, 4);
	archive.AddData("Clrs", B_RAW_TYPE, &red, 4);
	WriteMessage(AppFile(kExitStatesFile), archive);
	TExitStates partial;
	EXPECT_EQ(partial.LoadFromFile(), -1);
	EXPECT_STREQ(partial.mDisplayText.String(), "快速");
	EXPECT_EQ(partial.mFavoriteColorSets[0][1], (rgb_color{255, 0, 0, 255}));
	EXPECT_EQ(partial.mFavoriteColorSets[0][2], (rgb_color{0, 0, 0, 255}));
	EXPECT_EQ(partial.mWindowFrame, BRect(50, 50, 350, 300));
}

TEST_F(ExitStatesTest, ATextTooLongForTheFileIsCutBetweenCharactersAndTheRestIsSaved)
{
	TExitStates saved;
	saved.mFavoriteColorSets[8][2] = rgb_color{1, 2, 3, 255};
	saved.mWindowFrame = BRect(1, 2, 3, 4);
	// A long text that fits is kept whole.
	std::string fits(1024 * 1024, 'a');
	saved.mDisplayText = fits.c_str();
	ASSERT_EQ(saved.SaveToFile(), B_OK);
	TExitStates loaded;
	ASSERT_EQ(loaded.LoadFromFile(), B_OK);
	EXPECT_TRUE(loaded.mDisplayText == fits.c_str());

	// Each character is three bytes, so most cuts by bytes alone would split one.
	std::string text;
	while (text.size() <= (size_t)TArchivable::kMaxFileSize)
		text += "駅";
	saved.mDisplayText = text.c_str();
	ASSERT_EQ(saved.SaveToFile(), B_OK);
	EXPECT_EQ((size_t)saved.mDisplayText.Length(), text.size()) << "the record keeps its text";
	EXPECT_LE(read_text(AppFile(kExitStatesFile)).size(), (size_t)TArchivable::kMaxFileSize);

	ASSERT_EQ(loaded.LoadFromFile(), B_OK);
	std::string back = loaded.mDisplayText.String();
	EXPECT_EQ(back.size() % 3, 0u);
	EXPECT_GT(back.size(), (size_t)TArchivable::kMaxFileSize - 4096) << "cut far too short";
	EXPECT_EQ(text.compare(0, back.size(), back), 0);
	EXPECT_EQ(loaded.mFavoriteColorSets[8][2], (rgb_color{1, 2, 3, 255}));
	EXPECT_EQ(loaded.mWindowFrame, BRect(1, 2, 3, 4));
}

TEST(TExitStatesTest, ShortColourItemsAreIgnored)
{
	BMessage archive = exit_states_header();
	const uint8 two[2] = {9, 9};
	const uint8 six[6] = {1, 2, 3, 0, 5, 6};
	archive.AddData("Clrs", B_RAW_TYPE, two, 2, false);
	archive.AddData("Clrs", B_RAW_TYPE, six, 6, false);
	TExitStates states;
	states.Unarchive(&archive);
	EXPECT_EQ(states.mFavoriteColorSets[0][0], (rgb_color{0, 0, 0, 255}));
	EXPECT_EQ(states.mFavoriteColorSets[0][1], (rgb_color{1, 2, 3, 255}));
}

TEST_F(ExitStatesTest, TheFilesOfOtherRecordsApplyNothing)
{
	// The property file also has "Clrs" items; none of them may become favourites.
	TProperty property;
	property.mColors[0] = rgb_color{1, 1, 1, 255};
	MakeFolders(AppFolder());
	BEntry entry(AppFile(kExitStatesFile).c_str());
	ASSERT_EQ(property.Save(entry), B_OK);

	TExitStates states;
	EXPECT_EQ(states.LoadFromFile(), -1);
	expect_defaults(states);
}

TEST_F(ExitStatesTest, FirstRunCreatesTheFoldersAndWritesTwoFiles)
{
	ASSERT_FALSE(path_exists(Config()));
	StartRecords records;
	records.ExpectEveryLoadToFail();
	EXPECT_TRUE(path_exists(AppFolder()));
	EXPECT_EQ(folder_names(AppFolder()).size(), 0u);
	expect_defaults(records.states);

	// At the end the program saves the sign parameters, then the exit states, never the
	// preferences.
	EXPECT_EQ(records.property.SaveToFile(), B_OK);
	EXPECT_EQ(records.states.SaveToFile(), B_OK);
	EXPECT_TRUE(path_exists(AppFile("Glowplate_Property.arc")));
	EXPECT_TRUE(path_exists(AppFile(kExitStatesFile)));
	EXPECT_FALSE(path_exists(AppFile("Glowplate_Prefs.arc")));
}

TEST_F(ExitStatesTest, PreferencesHoldOnlyTheirClass)
{
	TPrefs prefs;
	ASSERT_EQ(prefs.SaveToFile(), B_OK);
	std::optional<BMessage> archive = ReadMessage(AppFile("Glowplate_Prefs.arc"));
	ASSERT_TRUE(archive);
	EXPECT_EQ(archive->CountNames(B_ANY_TYPE), 1);
	EXPECT_STREQ(archive->GetString(B_CLASS_FIELD, 0, ""), "TPrefs");
	EXPECT_STREQ(archive->GetString(B_CLASS_FIELD, 1, ""), "TArchivable");
	EXPECT_EQ(prefs.LoadFromFile(), B_OK);

	// The exit states' file is not the preferences' file.
	ASSERT_EQ(TExitStates().SaveToFile(), B_OK);
	WriteFile(AppFile("Glowplate_Prefs.arc"), read_text(AppFile(kExitStatesFile)));
	EXPECT_EQ(prefs.LoadFromFile(), -1);
}

TEST_F(ExitStatesTest, ResetKeysAtStartRemoveEveryFile)
{
	TExitStates states;
	states.mDisplayText = "saved";
	TProperty property;
	ASSERT_EQ(states.SaveToFile(), B_OK);
	ASSERT_EQ(property.SaveToFile(), B_OK);
	ASSERT_EQ(TPrefs().SaveToFile(), B_OK);

	BPrivate::set_headless_modifiers(kResetKeys);
	StartRecords loaded;
	loaded.ExpectEveryLoadToFail();
	EXPECT_EQ(folder_names(AppFolder()).size(), 0u);
	expect_defaults(loaded.states);
}

} // namespace
