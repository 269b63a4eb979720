// The three shared preference items: their files in the shared folder, the values they take
// from change messages and from archived controls, and the codes the locale item refuses.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include <TIAPItemAccKeyFormat.h>
#include <TIAPItemFlatToolBar.h>
#include <TIAPItemLocale.h>

#include "../support/BStringPrinter.h"
#include "IAPTestSupport.h"

namespace {

using TIAPItemTest = SharedPrefsTest;

TEST_F(TIAPItemTest, AFirstRunMakesTheSharedFolderAndUsesTheDefaults)
{
	TIAPItemAccKeyFormat format;
	TIAPItemFlatToolBar flat;
	TIAPItemLocale locale;
	EXPECT_TRUE(path_exists(Config() + "/KESTRA/Shared"));
	BString text;
	EXPECT_EQ(format.GetString(&text, false), B_OK);
	EXPECT_EQ(text, "\002(a)");
	bool value = false;
	EXPECT_EQ(flat.GetBool(&value, false), B_OK);
	EXPECT_TRUE(value);
	EXPECT_EQ(locale.GetString(&text, false), B_OK);
	EXPECT_EQ(text, "enUS");
	// Nothing is written by reading.
	EXPECT_FALSE(path_exists(SharedFile("AccKeyFormat2")));
	// The base kinds answer what they do not hold with -1.
	EXPECT_EQ(format.GetBool(&value, false), -1);
	EXPECT_EQ(flat.GetString(&text, false), -1);
	EXPECT_EQ(flat.SetString("x"), -1);
}

TEST_F(TIAPItemTest, ItemsOfOneNameShareTheirFile)
{
	TIAPItemAccKeyFormat writer;
	writer.SetAppSignatureRef(OWN_SIGNATURE);
	ASSERT_EQ(writer.SetString("\001a) "), B_OK);

	std::optional<BMessage> file = ItemFile("AccKeyFormat2");
	ASSERT_TRUE(file);
	EXPECT_EQ(file->what, 0u);
	EXPECT_STREQ(file->GetString("IAP:SrcApp", ""), OWN_SIGNATURE);
	EXPECT_STREQ(file->GetString("AccKeyFormat2", ""), "\001a) ");

	// Another application's item of the same name reads what this one wrote.
	TIAPItemAccKeyFormat reader;
	BString value;
	reader.GetString(&value, false);
	EXPECT_EQ(value, "\001a) ");
	reader.GetString(&value, true);
	EXPECT_EQ(value, "\002(a)") << "the default stays the default";

	// A file holding another type under the name, or garbage, gives the default.
	BMessage wrongType;
	wrongType.AddInt32("AccKeyFormat2", 3);
	WriteItemFile("AccKeyFormat2", wrongType);
	TIAPItemAccKeyFormat confused;
	confused.GetString(&value, false);
	EXPECT_EQ(value, "\002(a)");
	WriteFile(SharedFile("FlatToolBar"), "not a message");
	TIAPItemFlatToolBar broken;
	bool flat = false;
	broken.GetBool(&flat, false);
	EXPECT_TRUE(flat);
}

TEST_F(TIAPItemTest, GetValueStatesTheValueOrTheDefault)
{
	TIAPItemLocale locale;
	locale.SetAppSignatureRef(OWN_SIGNATURE);
	ASSERT_EQ(locale.SetString("jaJP"), B_OK);
	BMessage current, defaults;
	ASSERT_EQ(locale.GetValue(&current, false), B_OK);
	ASSERT_EQ(locale.GetValue(&defaults, true), B_OK);
	EXPECT_EQ(current.what, (uint32)'_ipc');
	EXPECT_STREQ(current.GetString("IAP:SrcApp", ""), OWN_SIGNATURE);
	EXPECT_STREQ(current.GetString("IAP:SrcIAPItem", ""), "Locale");
	EXPECT_STREQ(current.GetString("Locale", ""), "jaJP");
	EXPECT_STREQ(defaults.GetString("Locale", ""), "enUS");

	TIAPItemFlatToolBar flat;
	flat.SetBool(false);
	BMessage flatValue;
	ASSERT_EQ(flat.GetValue(&flatValue, false), B_OK);
	EXPECT_FALSE(flatValue.GetBool("FlatToolBar", true));
	EXPECT_STREQ(flatValue.GetString("IAP:SrcApp", "missing"), "") << "no owner yet";
}

TEST_F(TIAPItemTest, OnlyTheSendingApplicationWritesAFormatChange)
{
	TIAPItemAccKeyFormat format;
	format.SetAppSignatureRef(OWN_SIGNATURE);

	BMessage fromOther = Change("AccKeyFormat2", OTHER_SIGNATURE);
	fromOther.AddString("AccKeyFormat2", "\001a・");
	ASSERT_EQ(format.SetValue(&fromOther), B_OK);
	BString value;
	format.GetString(&value, false);
	EXPECT_EQ(value, "\001a・") << "followed in memory";
	EXPECT_FALSE(path_exists(SharedFile("AccKeyFormat2"))) << "the sender writes the file";

	BMessage fromSelf = Change("AccKeyFormat2", OWN_SIGNATURE);
	fromSelf.AddString("AccKeyFormat2", "");
	ASSERT_EQ(format.SetValue(&fromSelf), B_OK);
	std::optional<BMessage> file = ItemFile("AccKeyFormat2");
	ASSERT_TRUE(file);
	EXPECT_STREQ(file->GetString("AccKeyFormat2", "missing"), "");

	BMessage without = Change("AccKeyFormat2", OWN_SIGNATURE);
	EXPECT_EQ(format.SetValue(&without), -1);
	format.GetString(&value, false);
	EXPECT_EQ(value, "");
}

TEST_F(TIAPItemTest, TheFlatToolBarTakesItsBoolOrTheArchivedCheckBox)
{
	TIAPItemFlatToolBar flat;
	flat.SetAppSignatureRef(OWN_SIGNATURE);
	auto value = [&] {
		bool on = false;
		flat.GetBool(&on, false);
		return on;
	};
	// A check box archive as the window sends it: the container's first "_views" child.
	auto fromCheckBox = [](std::optional<int32> checked) {
		BMessage checkBox;
		checkBox.AddString("class", "BCheckBox");
		if (checked)
			checkBox.AddInt32("_val", *checked);
		BMessage message = Change("FlatToolBar", OTHER_SIGNATURE);
		message.what = 'ictc';
		message.AddMessage("_views", &checkBox);
		return message;
	};

	BMessage off = Change("FlatToolBar", OTHER_SIGNATURE);
	off.AddBool("FlatToolBar", false);
	ASSERT_EQ(flat.SetValue(&off), B_OK);
	EXPECT_FALSE(value());
	std::optional<BMessage> file = ItemFile("FlatToolBar");
	ASSERT_TRUE(file) << "this item writes every change";
	EXPECT_FALSE(file->GetBool("FlatToolBar", true));

	BMessage message = fromCheckBox(1);
	ASSERT_EQ(flat.SetValue(&message), B_OK);
	EXPECT_TRUE(value());
	message = fromCheckBox(0);
	ASSERT_EQ(flat.SetValue(&message), B_OK);
	EXPECT_FALSE(value());
	ASSERT_EQ(flat.SetBool(true), B_OK);
	message = fromCheckBox(std::nullopt);
	ASSERT_EQ(flat.SetValue(&message), B_OK);
	EXPECT_FALSE(value()) << "a check box without \"_val\" is off";

	BMessage neither = Change("FlatToolBar", OWN_SIGNATURE);
	EXPECT_EQ(flat.SetValue(&neither), -1);

	// SetBool alone changes nothing on disk.
	ASSERT_EQ(flat.SetBool(true), B_OK);
	file = ItemFile("FlatToolBar");
	ASSERT_TRUE(file);
	EXPECT_FALSE(file->GetBool("FlatToolBar", true));
	TIAPItemFlatToolBar reread;
	bool on = true;
	reread.GetBool(&on, false);
	EXPECT_FALSE(on);
}

TEST_F(TIAPItemTest, TheLocaleTakesOnlyValidCodesFromValuesAndTextControls)
{
	TIAPItemLocale locale;
	locale.SetAppSignatureRef(OWN_SIGNATURE);
	auto value = [&] {
		BString code;
		locale.GetString(&code, false);
		return code;
	};
	// A text control archive: the control, then its text view, then the text.
	auto fromTextControl = [](const char* text) {
		BMessage textView;
		textView.AddString("_text", text);
		BMessage textControl;
		textControl.AddMessage("_views", &textView);
		BMessage message = Change("Locale", OWN_SIGNATURE);
		message.what = 'ictc';
		message.AddMessage("_views", &textControl);
		return message;
	};

	BMessage tooShort = fromTextControl("en");
	EXPECT_EQ(locale.SetValue(&tooShort), -1);
	EXPECT_EQ(value(), "enUS");
	EXPECT_FALSE(path_exists(SharedFile("Locale")));

	BMessage good = fromTextControl("deDE");
	ASSERT_EQ(locale.SetValue(&good), B_OK);
	EXPECT_EQ(value(), "deDE");
	std::optional<BMessage> file = ItemFile("Locale");
	ASSERT_TRUE(file);
	EXPECT_STREQ(file->GetString("Locale", ""), "deDE");

	for (const char* bad : {"", "enus", "ENUS", "enUSx", "e1US"}) {
		EXPECT_EQ(locale.SetString(bad), -1) << bad;
		BMessage change = Change("Locale", OWN_SIGNATURE);
		change.AddString("Locale", bad);
		EXPECT_EQ(locale.SetValue(&change), -1) << bad;
	}
	EXPECT_EQ(value(), "deDE");
	EXPECT_STREQ(ItemFile("Locale")->GetString("Locale", ""), "deDE");

	// A text control archive without its text view is no value.
	BMessage hollow = Change("Locale", OWN_SIGNATURE);
	BMessage textControl;
	hollow.AddMessage("_views", &textControl);
	EXPECT_EQ(locale.SetValue(&hollow), -1);

	// A code another program wrote that the locale would refuse is not taken either.
	BMessage written;
	written.AddString("Locale", "xx");
	WriteItemFile("Locale", written);
	TIAPItemLocale reread;
	BString code;
	reread.GetString(&code, false);
	EXPECT_EQ(code, "enUS");
}

TEST_F(TIAPItemTest, AFailedWriteKeepsTheValueOnDisk)
{
	TIAPItemAccKeyFormat format;
	format.SetAppSignatureRef(OWN_SIGNATURE);
	ASSERT_EQ(format.SetString("\001a) "), B_OK);

	// Files may grow to a few bytes only while the next value is written, so the write fails
	// part of the way through.
	struct rlimit old;
	ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
	struct rlimit tiny = old;
	tiny.rlim_cur = 16;
	void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
	ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
	status_t set = format.SetString("\001a - ");
	setrlimit(RLIMIT_FSIZE, &old);
	signal(SIGXFSZ, oldHandler);

	EXPECT_EQ(set, B_OK) << "the value in memory is the new one";
	BString value;
	format.GetString(&value, false);
	EXPECT_EQ(value, "\001a - ");
	std::optional<BMessage> file = ItemFile("AccKeyFormat2");
	ASSERT_TRUE(file) << "the old file is whole";
	EXPECT_STREQ(file->GetString("AccKeyFormat2", ""), "\001a) ");
	EXPECT_EQ(folder_names(Config() + "/KESTRA/Shared").size(), 1u);
}

} // namespace
