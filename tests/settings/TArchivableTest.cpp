#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include <Entry.h>
#include <Message.h>

#include <TArchivable.h>
#include <TExitStates.h>
#include <TTamarackArchivable.h>

#include "SettingsTestEnvironment.h"
#include "ShortReads.h"

// A small record with one field of each kind the tests need. Its Archive can be told to fail,
// as a record's would when the message refuses a field.
class TTestRecord : public TTamarackArchivable {
public:
	status_t Archive(BMessage* into, bool deep = true) const override
	{
		status_t status = TTamarackArchivable::Archive(into, deep);
		status |= into->AddInt32("Numb", mNumber);
		status |= into->AddString("Name", mName);
		return fFailArchive ? B_ERROR : status;
	}

	status_t Unarchive(const BMessage* from) override
	{
		status_t status = TTamarackArchivable::Unarchive(from);
		status |= FindInt32(from, "Numb", &mNumber);
		status |= FindString(from, "Name", &mName);
		return status;
	}

	int32 mNumber = 7;
	BString mName = "seven";
	bool fFailArchive = false;
};

// Another record that shares a field name with the first one.
class TOtherRecord : public TTamarackArchivable {
public:
	status_t Archive(BMessage* into, bool deep = true) const override
	{
		status_t status = TTamarackArchivable::Archive(into, deep);
		status |= into->AddInt32("Numb", 99);
		return status;
	}
};

namespace {

using ArchivableFileTest = SettingsTest;
using SettingsEntryTest = SettingsTest;

TEST(TArchivableTest, LookUpsWriteOnlyWhatTheyFind)
{
	BMessage message;
	message.AddBool("bool", true);
	message.AddInt8("int8", -8);
	message.AddInt16("int16", -16);
	message.AddInt32("int32", -32);
	message.AddInt32("int32", 320);
	message.AddInt64("int64", -64);
	message.AddFloat("float", 1.5f);
	message.AddDouble("double", 2.25);
	message.AddRect("rect", BRect(1, 2, 3, 4));
	message.AddString("string", "text");
	BMessage nested('nest');
	nested.AddInt32("inner", 5);
	message.AddMessage("message", &nested);

	TArchivable record;
	bool flag = false;
	int8 i8 = 0;
	int16 i16 = 0;
	int32 i32 = 0;
	int64 i64 = 0;
	float f = 0;
	double d = 0;
	BRect rect;
	BString text;
	const char* pointer = nullptr;
	BMessage found;
	EXPECT_EQ(record.FindBool(&message, "bool", &flag), B_OK);
	EXPECT_EQ(record.FindInt8(&message, "int8", &i8), B_OK);
	EXPECT_EQ(record.FindInt16(&message, "int16", &i16), B_OK);
	EXPECT_EQ(record.FindInt32(&message, "int32", 1, &i32), B_OK);
	EXPECT_EQ(record.FindInt64(&message, "int64", &i64), B_OK);
	EXPECT_EQ(record.FindFloat(&message, "float", &f), B_OK);
	EXPECT_EQ(record.FindDouble(&message, "double", &d), B_OK);
	EXPECT_EQ(record.FindRect(&message, "rect", &rect), B_OK);
	EXPECT_EQ(record.FindString(&message, "string", &text), B_OK);
	EXPECT_EQ(record.FindString(&message, "string", &pointer), B_OK);
	EXPECT_EQ(record.FindMessage(&message, "message", &found), B_OK);
	EXPECT_TRUE(flag);
	EXPECT_EQ(i8, -8);
	EXPECT_EQ(i16, -16);
	EXPECT_EQ(i32, 320);
	EXPECT_EQ(i64, -64);
	EXPECT_EQ(f, 1.5f);
	EXPECT_EQ(d, 2.25);
	EXPECT_EQ(rect, BRect(1, 2, 3, 4));
	EXPECT_STREQ(text.String(), "text");
	EXPECT_STREQ(pointer, "text");
	EXPECT_EQ(found.what, (uint32)'nest');
	EXPECT_EQ(found.GetInt32("inner", 0), 5);

	// Missing keys, indices past the end and fields of another type keep what was there.
	text = "previous";
	i32 = 11;
	f = 3.0f;
	rect = BRect(9, 9, 9, 9);
	pointer = "kept";
	EXPECT_NE(record.FindString(&message, "absent", &text), B_OK);
	EXPECT_NE(record.FindInt32(&message, "int32", 2, &i32), B_OK);
	EXPECT_NE(record.FindFloat(&message, "int32", &f), B_OK);
	EXPECT_NE(record.FindRect(&message, "string", &rect), B_OK);
	EXPECT_NE(record.FindString(&message, "int32", &pointer), B_OK);
	EXPECT_STREQ(text.String(), "previous");
	EXPECT_EQ(i32, 11);
	EXPECT_EQ(f, 3.0f);
	EXPECT_EQ(rect, BRect(9, 9, 9, 9));
	EXPECT_STREQ(pointer, "kept");
}

TEST(TArchivableTest, ColourLookUpTakesTheColourTypeOnly)
{
	TArchivable record;
	const uint8 bytes[4] = {10, 20, 30, 40};
	BMessage message;
	ASSERT_EQ(message.AddData("colour", B_RGB_COLOR_TYPE, bytes, 4), B_OK);
	ASSERT_EQ(message.AddData("raw", B_RAW_TYPE, bytes, 4), B_OK);

	rgb_color color = {1, 2, 3, 4};
	EXPECT_EQ(record.FindRGBColor(&message, "colour", &color), B_OK);
	EXPECT_EQ(color, (rgb_color{10, 20, 30, 40}));

	color = {1, 2, 3, 4};
	EXPECT_NE(record.FindRGBColor(&message, "raw", &color), B_OK);
	EXPECT_NE(record.FindRGBColor(&message, "colour", 1, &color), B_OK);
	EXPECT_EQ(color, (rgb_color{1, 2, 3, 4}));

	const void* data = nullptr;
	ssize_t size = -1;
	EXPECT_EQ(record.FindData(&message, "raw", B_RAW_TYPE, &data, &size), B_OK);
	EXPECT_EQ(size, 4);
	EXPECT_EQ(memcmp(data, bytes, 4), 0);
	EXPECT_NE(record.FindData(&message, "raw", B_RGB_COLOR_TYPE, &data, &size), B_OK);
	EXPECT_EQ(size, 4);
}

TEST(TArchivableTest, ArchiveNamesTheRecordThenTheBaseAndInstantiates)
{
	TExitStates states;
	BMessage archive;
	ASSERT_EQ(states.Archive(&archive), B_OK);
	EXPECT_EQ(archive.what, 0u);
	EXPECT_STREQ(archive.GetString(B_CLASS_FIELD, 0, ""), "TExitStates");
	EXPECT_STREQ(archive.GetString(B_CLASS_FIELD, 1, ""), "TArchivable");
	EXPECT_FALSE(archive.HasString(B_CLASS_FIELD, 2));

	// Only the base class is registered, so the base is what an archive of a record rebuilds.
	BArchivable* rebuilt = instantiate_object(&archive);
	EXPECT_NE(dynamic_cast<TArchivable*>(rebuilt), nullptr);
	delete rebuilt;

	BMessage foreign;
	foreign.AddString(B_CLASS_FIELD, "TSomethingElse");
	EXPECT_EQ(TArchivable::Instantiate(&foreign), nullptr);
	EXPECT_EQ(TArchivable::Instantiate(nullptr), nullptr);
}

TEST_F(ArchivableFileTest, SaveAndLoadRoundTripAndReplaceTheWholeFile)
{
	std::string path = AppFile("record.arc");
	WriteFile(path, std::string(10000, 'x'));
	BEntry entry(path.c_str());

	TTestRecord saved;
	saved.mNumber = -123456;
	saved.mName = "名前";
	ASSERT_EQ(saved.Save(entry), B_OK);
	EXPECT_LT(read_text(path).size(), 10000u);
	EXPECT_EQ(folder_names(AppFolder()).size(), 1u);

	TTestRecord loaded;
	EXPECT_EQ(loaded.Load(entry), B_OK);
	EXPECT_EQ(loaded.mNumber, -123456);
	EXPECT_STREQ(loaded.mName.String(), "名前");
}

TEST_F(ArchivableFileTest, DamagedFilesChangeNothing)
{
	std::string path = AppFile("record.arc");
	BEntry entry(path.c_str());
	TTestRecord record;

	EXPECT_EQ(record.Load(entry), -1) << "missing file";

	TTestRecord source;
	source.mNumber = 1;
	source.mName = "one";
	BMessage archive;
	ASSERT_EQ(source.Archive(&archive), B_OK);
	std::string bytes = Flattened(archive);

	// Every truncation of a good file, the empty file included.
	for (size_t length = 0; length < bytes.size(); length++) {
		WriteFile(path, bytes.substr(0, length));
		ASSERT_EQ(record.Load(entry), -1) << "truncated to " << length;
	}
	WriteFile(path, "this is no message at all");
	EXPECT_EQ(record.Load(entry), -1);
	std::string unknownVersion = bytes;
	unknownVersion[4] = 9;
	WriteFile(path, unknownVersion);
	EXPECT_EQ(record.Load(entry), -1);

	EXPECT_EQ(record.mNumber, 7);
	EXPECT_STREQ(record.mName.String(), "seven");

	// A folder where the file should be is no file either.
	MakeFolders(AppFile("folder.arc"));
	BEntry folder(AppFile("folder.arc").c_str());
	EXPECT_EQ(record.Load(folder), -1);
	EXPECT_EQ(record.Save(folder), -1);
}

TEST_F(ArchivableFileTest, MissingKeysApplyTheRestAndFail)
{
	std::string path = AppFile("record.arc");
	BMessage archive;
	archive.AddString(B_CLASS_FIELD, "TTestRecord");
	archive.AddString(B_CLASS_FIELD, "TArchivable");
	archive.AddString("Name", "only the name");
	WriteMessage(path, archive);

	TTestRecord record;
	EXPECT_EQ(record.Load(BEntry(path.c_str())), -1);
	EXPECT_STREQ(record.mName.String(), "only the name");
	EXPECT_EQ(record.mNumber, 7);
}

TEST_F(ArchivableFileTest, TheFileOfAnotherRecordAppliesNothing)
{
	MakeFolders(AppFolder());
	std::string path = AppFile("record.arc");
	BEntry entry(path.c_str());
	ASSERT_EQ(TOtherRecord().Save(entry), B_OK);

	TTestRecord record;
	EXPECT_EQ(record.Load(entry), -1);
	EXPECT_EQ(record.mNumber, 7);

	// Without any "class" field it is nobody's archive.
	BMessage anonymous;
	anonymous.AddInt32("Numb", 5);
	anonymous.AddString("Name", "five");
	WriteMessage(path, anonymous);
	EXPECT_EQ(record.Load(entry), -1);
	EXPECT_EQ(record.mNumber, 7);
}

TEST_F(ArchivableFileTest, AFailedArchiveKeepsThePreviousFile)
{
	MakeFolders(AppFolder());
	std::string path = AppFile("record.arc");
	BEntry entry(path.c_str());
	TTestRecord record;
	record.mNumber = 1;
	ASSERT_EQ(record.Save(entry), B_OK);
	std::string before = read_text(path);

	record.mNumber = 2;
	record.fFailArchive = true;
	EXPECT_EQ(record.Save(entry), -1);
	EXPECT_EQ(read_text(path), before);
	EXPECT_EQ(folder_names(AppFolder()).size(), 1u) << "a temporary file was left behind";

	// Without a previous file a failed save creates none.
	BEntry fresh(AppFile("fresh.arc").c_str());
	EXPECT_EQ(record.Save(fresh), -1);
	EXPECT_FALSE(path_exists(AppFile("fresh.arc")));
}

TEST_F(ArchivableFileTest, AFolderThatRefusesNewFilesSavesOnlyIntoFilesTheUserMayWrite)
{
	MakeFolders(AppFolder());
	std::string kept = AppFile("kept.arc");
	std::string written = AppFile("written.arc");
	TTestRecord record;
	ASSERT_EQ(record.Save(BEntry(kept.c_str())), B_OK);
	ASSERT_EQ(record.Save(BEntry(written.c_str())), B_OK);
	std::string before = read_text(kept);

	// The saves run without privileges, in a folder they may enter but not write to; only
	// one of the two files is theirs to write, and that one is written in place.
	chmod(Root().c_str(), 0755);
	chmod(kept.c_str(), 0644);
	chmod(written.c_str(), 0666);
	chmod(AppFolder().c_str(), 0555);
	int result = run_unprivileged([&] {
		record.mNumber = 3;
		record.mName = "three";
		if (record.Save(BEntry(kept.c_str())) != -1)
			return 1;
		return record.Save(BEntry(written.c_str())) == B_OK ? 0 : 2;
	});
	chmod(AppFolder().c_str(), 0755);
	EXPECT_EQ(result, 0);
	EXPECT_EQ(read_text(kept), before);
	EXPECT_EQ(folder_names(AppFolder()).size(), 2u) << "a temporary file was left behind";

	TTestRecord loaded;
	EXPECT_EQ(loaded.Load(BEntry(written.c_str())), B_OK);
	EXPECT_EQ(loaded.mNumber, 3);
	EXPECT_STREQ(loaded.mName.String(), "three");
}

TEST_F(ArchivableFileTest, AFileHandedOverInPiecesLoadsWhole)
{
	MakeFolders(AppFolder());
	BEntry entry(AppFile("record.arc").c_str());
	TTestRecord saved;
	saved.mNumber = 5;
	saved.mName = std::string(1000, 'n').c_str();
	ASSERT_EQ(saved.Save(entry), B_OK);

	TTestRecord loaded;
	{
		ShortReads pieces(7);
		EXPECT_EQ(loaded.Load(entry), B_OK);
		EXPECT_GT(ShortReads::Shortened(), 0u);
	}
	EXPECT_EQ(loaded.mNumber, 5);
	EXPECT_EQ(loaded.mName, saved.mName);
}

TEST_F(ArchivableFileTest, LoadAndSaveShareOneSizeLimit)
{
	MakeFolders(AppFolder());
	std::string path = AppFile("record.arc");
	BEntry entry(path.c_str());
	TTestRecord record;
	record.mName = "";
	BMessage empty;
	ASSERT_EQ(record.Archive(&empty), B_OK);
	size_t room = (size_t)(TArchivable::kMaxFileSize - empty.FlattenedSize());

	// The largest record that fits is saved and loads again.
	record.mName = std::string(room, 'x').c_str();
	ASSERT_EQ(record.Save(entry), B_OK);
	std::string largest = read_text(path);
	EXPECT_EQ(largest.size(), (size_t)TArchivable::kMaxFileSize);
	TTestRecord loaded;
	EXPECT_EQ(loaded.Load(entry), B_OK);
	EXPECT_EQ((size_t)loaded.mName.Length(), room);

	// One byte more is refused by both, and the refused save keeps the file as it was.
	record.mName << "x";
	EXPECT_EQ(record.Save(entry), -1);
	EXPECT_TRUE(read_text(path) == largest);
	EXPECT_EQ(folder_names(AppFolder()).size(), 1u);
	BMessage tooLarge;
	ASSERT_EQ(record.Archive(&tooLarge), B_OK);
	WriteMessage(path, tooLarge);
	EXPECT_EQ(TTestRecord().Load(entry), -1);
}

TEST_F(SettingsEntryTest, EntriesLieInTheMakersFoldersWhichAreCreated)
{
	TTestRecord record;
	BEntry entry;
	ASSERT_EQ(record.GetSettingsEntry("Glowplate", "Glowplate_Property.arc", &entry), B_OK);
	EXPECT_STREQ(entry.PathString(), AppFile("Glowplate_Property.arc").c_str());
	EXPECT_TRUE(path_exists(AppFolder()));
	EXPECT_FALSE(entry.Exists());

	ASSERT_EQ(get_settings_entry("Shared", "AccKeyFormat2", &entry), B_OK);
	EXPECT_STREQ(entry.PathString(), (Config() + "/KESTRA/Shared/AccKeyFormat2").c_str());
	EXPECT_TRUE(path_exists(Config() + "/KESTRA/Shared"));
}

TEST_F(SettingsEntryTest, TheSettingsFolderIsLookedUpAnewEachTime)
{
	TTestRecord record;
	BEntry entry;
	std::string other = Root() + "/other-config";
	setenv("XDG_CONFIG_HOME", other.c_str(), 1);
	ASSERT_EQ(record.GetSettingsEntry("Glowplate", "a.arc", &entry), B_OK);
	EXPECT_STREQ(entry.PathString(), (other + "/Tamarack/Glowplate/a.arc").c_str());

	// Without XDG_CONFIG_HOME the folder is .config in the home folder.
	unsetenv("XDG_CONFIG_HOME");
	ASSERT_EQ(record.GetSettingsEntry("Glowplate", "a.arc", &entry), B_OK);
	std::string home = getenv("HOME");
	EXPECT_STREQ(entry.PathString(), (home + "/.config/Tamarack/Glowplate/a.arc").c_str());
}

TEST_F(SettingsEntryTest, AFolderThatCannotBeMadeFailsLoadAndSave)
{
	// A file stands where the maker's folder should be.
	WriteFile(Config() + "/Tamarack", "in the way");
	TTestRecord record;
	record.mNumber = 8;
	EXPECT_EQ(record.SaveByName("Glowplate", "record.arc"), -1);
	EXPECT_EQ(record.LoadByName("Glowplate", "record.arc"), -1);
	EXPECT_NE(record.DeleteByName("Glowplate", "record.arc"), B_OK);
	EXPECT_EQ(record.mNumber, 8);
	EXPECT_EQ(read_text(Config() + "/Tamarack"), "in the way");
}

TEST_F(SettingsEntryTest, ByNameOperationsAndTheResetKeys)
{
	TTestRecord record;
	record.mNumber = 42;
	ASSERT_EQ(record.SaveByName("Glowplate", "record.arc"), B_OK);
	std::string saved = read_text(AppFile("record.arc"));
	ASSERT_NE(saved, "<missing>");

	// Three of the four keys are no reset.
	BPrivate::set_headless_modifiers(B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY | B_CAPS_LOCK);
	TTestRecord loaded;
	EXPECT_EQ(loaded.LoadByName("Glowplate", "record.arc"), B_OK);
	EXPECT_EQ(loaded.mNumber, 42);

	// All four (with any others) skip the save and leave the file alone...
	BPrivate::set_headless_modifiers(kResetKeys | B_NUM_LOCK);
	record.mNumber = 43;
	EXPECT_EQ(record.SaveByName("Glowplate", "record.arc"), -1);
	EXPECT_EQ(read_text(AppFile("record.arc")), saved);
	EXPECT_EQ(record.SaveByName("Glowplate", "new.arc"), -1);
	EXPECT_FALSE(path_exists(AppFile("new.arc")));

	// ...and make a load delete the file and keep the record as it was.
	TTestRecord reset;
	EXPECT_EQ(reset.LoadByName("Glowplate", "record.arc"), -1);
	EXPECT_EQ(reset.mNumber, 7);
	EXPECT_FALSE(path_exists(AppFile("record.arc")));

	BPrivate::set_headless_modifiers(0);
	ASSERT_EQ(record.SaveByName("Glowplate", "record.arc"), B_OK);
	EXPECT_EQ(record.DeleteByName("Glowplate", "record.arc"), B_OK);
	EXPECT_FALSE(path_exists(AppFile("record.arc")));
	EXPECT_NE(record.DeleteByName("Glowplate", "record.arc"), B_OK);
}

} // namespace
