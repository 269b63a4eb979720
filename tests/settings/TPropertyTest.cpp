#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include <Message.h>

#include <TProperty.h>

#include "SettingsTestEnvironment.h"

namespace {

using PropertyFileTest = SettingsTest;

const char kPropertyFile[] = "Glowplate_Property.arc";

void expect_same(const TProperty& a, const TProperty& b)
{
	EXPECT_STREQ(a.mFontFamily.String(), b.mFontFamily.String());
	EXPECT_STREQ(a.mFontStyle.String(), b.mFontStyle.String());
	for (int32 index = 0; index < TProperty::kColorCount; index++)
		EXPECT_EQ(a.mColors[index], b.mColors[index]) << "colour " << index;
	EXPECT_EQ(a.mLEDSize, b.mLEDSize);
	EXPECT_EQ(a.mLEDGap, b.mLEDGap);
	EXPECT_EQ(a.mResolutionY, b.mResolutionY);
	for (int32 index = 0; index < 4; index++)
		EXPECT_EQ(a.mMargin[index], b.mMargin[index]) << "margin " << index;
	EXPECT_EQ(a.mSrcScreenFontSize, b.mSrcScreenFontSize);
	EXPECT_EQ(a.mCorrectHoarse, b.mCorrectHoarse);
}

// A property that differs from the defaults in every member.
TProperty changed_property()
{
	TProperty property;
	property.mFontFamily = "";
	property.mFontStyle = "太字";
	property.mColors[0] = rgb_color{255, 160, 0, 17};
	property.mColors[1] = rgb_color{10, 20, 30, 0};
	property.mColors[2] = rgb_color{40, 40, 40, 254};
	property.mLEDSize = 7;
	property.mLEDGap = 0;
	property.mResolutionY = 16;
	property.mMargin[TProperty::kMarginLeft] = 0;
	property.mMargin[TProperty::kMarginTop] = 3;
	// Wide, yet a sign with this margin can still be drawn.
	property.mMargin[TProperty::kMarginRight] = 100000;
	property.mMargin[TProperty::kMarginBottom] = 1;
	property.mSrcScreenFontSize = 333.0f;
	property.mCorrectHoarse = false;
	return property;
}

TEST(TPropertyTest, AFreshRecordHoldsTheDefaults)
{
	TProperty property;
	EXPECT_STREQ(property.mFontFamily.String(), "Haru");
	EXPECT_STREQ(property.mFontStyle.String(), "Regular");
	EXPECT_EQ(property.mColors[TProperty::kColorFG], (rgb_color{255, 255, 255, 255}));
	EXPECT_EQ(property.mColors[TProperty::kColorBG], (rgb_color{0, 128, 0, 255}));
	EXPECT_EQ(property.mColors[TProperty::kColorGap], (rgb_color{0, 0, 0, 255}));
	EXPECT_EQ(property.mLEDSize, 2);
	EXPECT_EQ(property.mLEDGap, 1);
	EXPECT_EQ(property.mResolutionY, 24);
	for (int32 margin : property.mMargin)
		EXPECT_EQ(margin, 0);
	EXPECT_EQ(property.mSrcScreenFontSize, 200.0f);
	EXPECT_TRUE(property.mCorrectHoarse);
}

TEST(TPropertyTest, ArchiveWritesTheKeysInOrderWithTheirTypes)
{
	BMessage archive;
	ASSERT_EQ(changed_property().Archive(&archive), B_OK);

	struct Field {
		const char* name;
		type_code type;
		int32 count;
	};
	const std::vector<Field> expected = {{"class", B_STRING_TYPE, 2}, {"CrHs", B_BOOL_TYPE, 1},
	                                     {"LDSz", B_INT32_TYPE, 1},   {"LDGp", B_INT32_TYPE, 1},
	                                     {"RslY", B_INT32_TYPE, 1},   {"SSFS", B_FLOAT_TYPE, 1},
	                                     {"FtFm", B_STRING_TYPE, 1},  {"FtSt", B_STRING_TYPE, 1},
	                                     {"Clrs", B_RAW_TYPE, 3},     {"Magn", B_RECT_TYPE, 1}};
	ASSERT_EQ(archive.CountNames(B_ANY_TYPE), (int32)expected.size());
	for (int32 index = 0; index < (int32)expected.size(); index++) {
		const char* name = nullptr;
		type_code type = 0;
		int32 count = 0;
		ASSERT_EQ(archive.GetInfo(B_ANY_TYPE, index, &name, &type, &count), B_OK);
		EXPECT_STREQ(name, expected[index].name);
		EXPECT_EQ(type, expected[index].type) << name;
		EXPECT_EQ(count, expected[index].count) << name;
	}
	EXPECT_STREQ(archive.GetString("class", 0, ""), "TProperty");
	EXPECT_STREQ(archive.GetString("FtFm", "absent"), "");
	EXPECT_EQ(archive.GetRect("Magn", BRect()), BRect(0, 3, 100000, 1));
	const void* data = nullptr;
	ssize_t size = 0;
	ASSERT_EQ(archive.FindData("Clrs", B_RAW_TYPE, 1, &data, &size), B_OK);
	ASSERT_EQ(size, 4);
	EXPECT_EQ(*static_cast<const rgb_color*>(data), (rgb_color{10, 20, 30, 0}));
}

TEST_F(PropertyFileTest, EveryMemberRoundTripsThroughTheFile)
{
	TProperty saved = changed_property();
	ASSERT_EQ(saved.SaveToFile(), B_OK);
	ASSERT_TRUE(path_exists(AppFile(kPropertyFile)));

	TProperty loaded;
	EXPECT_EQ(loaded.LoadFromFile(), B_OK);
	expect_same(loaded, saved);

	// And once more, so that what a load gives is what the next save writes.
	ASSERT_EQ(loaded.SaveToFile(), B_OK);
	TProperty again;
	EXPECT_EQ(again.LoadFromFile(), B_OK);
	expect_same(again, saved);
}

TEST(TPropertyTest, MissingMarginsFailTheUnarchiveMissingColoursDoNot)
{
	TProperty source = changed_property();
	BMessage archive;
	ASSERT_EQ(source.Archive(&archive), B_OK);

	BMessage withoutMargins = archive;
	withoutMargins.RemoveName("Magn");
	TProperty property;
	property.mMargin[TProperty::kMarginTop] = 5;
	EXPECT_NE(property.Unarchive(&withoutMargins), B_OK);
	EXPECT_EQ(property.mMargin[TProperty::kMarginTop], 5);
	EXPECT_EQ(property.mLEDSize, 7) << "the keys that are present still apply";
	EXPECT_FALSE(property.mCorrectHoarse);

	BMessage withoutColours = archive;
	withoutColours.RemoveName("Clrs");
	TProperty keepsColours;
	EXPECT_EQ(keepsColours.Unarchive(&withoutColours), B_OK);
	EXPECT_EQ(keepsColours.mColors[0], (rgb_color{255, 255, 255, 255}));
	EXPECT_EQ(keepsColours.mMargin[TProperty::kMarginRight], 100000);

	// Each counted key, left out alone, makes the result non-zero.
	for (const char* key : {"CrHs", "LDSz", "LDGp", "RslY", "SSFS", "FtFm", "FtSt"}) {
		BMessage without = archive;
		without.RemoveName(key);
		TProperty record;
		EXPECT_NE(record.Unarchive(&without), B_OK) << key;
	}
}

TEST(TPropertyTest, MarginsTruncateTowardZero)
{
	BMessage archive;
	archive.AddRect("Magn", BRect(2.9f, 0.99f, -0.5f, 7.0f));
	TProperty property;
	property.Unarchive(&archive);
	EXPECT_EQ(property.mMargin[TProperty::kMarginLeft], 2);
	EXPECT_EQ(property.mMargin[TProperty::kMarginTop], 0);
	EXPECT_EQ(property.mMargin[TProperty::kMarginRight], 0);
	EXPECT_EQ(property.mMargin[TProperty::kMarginBottom], 7);
}

TEST(TPropertyTest, ValuesTheEditorWouldRefuseAreNotTaken)
{
	const float nan = std::numeric_limits<float>::quiet_NaN();
	const float infinity = std::numeric_limits<float>::infinity();
	const std::vector<std::pair<const char*, std::function<void(BMessage&)>>> cases = {
	    {"lamp size 0", [](BMessage& m) { m.ReplaceInt32("LDSz", 0); }},
	    {"negative lamp size", [](BMessage& m) { m.ReplaceInt32("LDSz", -4); }},
	    {"negative gap", [](BMessage& m) { m.ReplaceInt32("LDGp", -1); }},
	    {"no rows", [](BMessage& m) { m.ReplaceInt32("RslY", 0); }},
	    {"font size below 1", [](BMessage& m) { m.ReplaceFloat("SSFS", 0.5f); }},
	    {"font size NaN", [=](BMessage& m) { m.ReplaceFloat("SSFS", nan); }},
	    {"font size infinite", [=](BMessage& m) { m.ReplaceFloat("SSFS", infinity); }},
	    {"font size too large", [](BMessage& m) { m.ReplaceFloat("SSFS", 1e20f); }},
	    {"negative margin", [](BMessage& m) { m.ReplaceRect("Magn", BRect(1, -2, 1, 1)); }},
	    {"margin NaN", [=](BMessage& m) { m.ReplaceRect("Magn", BRect(1, 1, nan, 1)); }},
	    {"margin too large", [](BMessage& m) { m.ReplaceRect("Magn", BRect(1, 1, 1, 3e9f)); }},
	    {"margin infinite", [=](BMessage& m) { m.ReplaceRect("Magn", BRect(-infinity, 1, 1, 1)); }},
	};
	BMessage good;
	ASSERT_EQ(changed_property().Archive(&good), B_OK);
	for (const auto& [label, damage] : cases) {
		BMessage archive = good;
		damage(archive);
		TProperty property;
		EXPECT_NE(property.Unarchive(&archive), B_OK) << label;
		EXPECT_GE(property.mLEDSize, 1) << label;
		EXPECT_GE(property.mLEDGap, 0) << label;
		EXPECT_GE(property.mResolutionY, 1) << label;
		EXPECT_TRUE(property.mSrcScreenFontSize >= 1.0f && property.mSrcScreenFontSize <= 3e9f)
		    << label;
		for (int32 margin : property.mMargin)
			EXPECT_GE(margin, 0) << label;
		EXPECT_STREQ(property.mFontStyle.String(), "太字") << label << ": the rest applies";
	}
}

TEST(TPropertyTest, KeysOfAnotherTypeAndShortColoursKeepTheMembers)
{
	BMessage archive;
	archive.AddFloat("LDSz", 5.0f);
	archive.AddInt32("CrHs", 0);
	archive.AddString("Magn", "1 2 3 4");
	const uint8 three[3] = {1, 2, 3};
	const uint8 five[5] = {4, 5, 6, 7, 8};
	archive.AddData("Clrs", B_RAW_TYPE, three, 3, false);
	archive.AddData("Clrs", B_RAW_TYPE, five, 5, false);
	TProperty property;
	EXPECT_NE(property.Unarchive(&archive), B_OK);
	EXPECT_EQ(property.mLEDSize, 2);
	EXPECT_TRUE(property.mCorrectHoarse);
	EXPECT_EQ(property.mMargin[0], 0);
	EXPECT_EQ(property.mColors[0], (rgb_color{255, 255, 255, 255}));
	EXPECT_EQ(property.mColors[1], (rgb_color{4, 5, 6, 7}));
}

TEST_F(PropertyFileTest, DamagedFilesLeaveTheDefaults)
{
	TProperty property;
	WriteFile(AppFile(kPropertyFile), std::string("GPMF\x01\x00", 6));
	EXPECT_EQ(property.LoadFromFile(), -1);
	WriteFile(AppFile(kPropertyFile), std::string(64, '\xff'));
	EXPECT_EQ(property.LoadFromFile(), -1);
	expect_same(property, TProperty());

	// A good file cut short by one byte.
	ASSERT_EQ(changed_property().SaveToFile(), B_OK);
	std::string bytes = read_text(AppFile(kPropertyFile));
	WriteFile(AppFile(kPropertyFile), bytes.substr(0, bytes.size() - 1));
	EXPECT_EQ(property.LoadFromFile(), -1);
	expect_same(property, TProperty());
}

TEST_F(PropertyFileTest, TheResetKeysProtectTheFileOnSaveAndRemoveItOnLoad)
{
	ASSERT_EQ(changed_property().SaveToFile(), B_OK);
	std::string saved = read_text(AppFile(kPropertyFile));

	BPrivate::set_headless_modifiers(kResetKeys);
	EXPECT_EQ(TProperty().SaveToFile(), -1);
	EXPECT_EQ(read_text(AppFile(kPropertyFile)), saved);

	TProperty property;
	EXPECT_EQ(property.LoadFromFile(), -1);
	EXPECT_FALSE(path_exists(AppFile(kPropertyFile)));
	expect_same(property, TProperty());
}

} // namespace
