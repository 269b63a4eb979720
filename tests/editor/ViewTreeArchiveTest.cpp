// The archived view tree and the resources it travels in: every control of the editor with its
// class, parent, frame and attributes, the fonts the archive names, a rebuild that gives the
// same controls back, the resources compiled into a program, and the generator's command line.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include <Application.h>
#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <ColorControl.h>
#include <Menu.h>
#include <MenuField.h>
#include <PopUpMenu.h>
#include <Resources.h>
#include <StringView.h>
#include <TextControl.h>

#include <PngCodec.h>

#include <AppIdentity.h>
#include <ViewTreeArchive.h>

#include "EditorTesting.h"
#include "TempFolder.h"

namespace {

struct Archived {
	std::string className;
	std::string parent;
	BRect frame;
	uint32 resizingMode = 0;
	std::string fontFamily;
	std::string fontStyle;
	float fontSize = 0;
};

// Every view of the archive by its name.
void collect(const BMessage& archive, const std::string& parent,
             std::map<std::string, Archived>* views)
{
	const std::string name = archive.GetString("_name", "");
	Archived& view = (*views)[name];
	view.className = archive.GetString("class", "");
	view.parent = parent;
	archive.FindRect("_frame", &view.frame);
	view.resizingMode = (uint32)archive.GetInt32("_resize_mode", 0);
	view.fontFamily = archive.GetString("_fname", 0, "");
	view.fontStyle = archive.GetString("_fname", 1, "");
	view.fontSize = archive.GetFloat("_fflt", 0.0f);
	BMessage child;
	for (int32 i = 0; archive.FindMessage("_views", i, &child) == B_OK; i++)
		collect(child, name, views);
}

TEST(ViewTreeArchiveTest, HoldsEveryControlWithItsClassParentAndFrame)
{
	std::map<std::string, Archived> views;
	collect(build_glowplate_view_archive(), "window", &views);
	struct Expected {
		const char* name;
		const char* className;
		const char* parent;
		BRect frame;
	} const expected[] = {
	    {"BGView", "BView", "window", BRect(0, 0, 620, 500)},
	    {"TxtCtrlDisplayText", "BTextControl", "BGView", BRect(10, 10, 310, 32)},
	    {"ButtonRegenerate", "BButton", "BGView", BRect(530, 10, 610, 35)},
	    {"BoxProperty", "BBox", "BGView", BRect(10, 40, 610, 357)},
	    {"MFieldFontFamily", "BMenuField", "BoxProperty", BRect(10, 20, 152, 43)},
	    {"MFieldColor", "BMenuField", "BoxProperty", BRect(10, 50, 152, 73)},
	    {"ColCtrlColor", "BColorControl", "BoxProperty", BRect(10, 80, 296, 150)},
	    {"TxtCtrlLEDSize", "BTextControl", "BoxProperty", BRect(10, 195, 160, 217)},
	    {"TxtCtrlLEDGap", "BTextControl", "BoxProperty", BRect(180, 195, 330, 217)},
	    {"TxtCtrlResolutionY", "BTextControl", "BoxProperty", BRect(350, 195, 500, 217)},
	    {"StrViewMargin", "BStringView", "BoxProperty", BRect(10, 225, 90, 245)},
	    {"TxtCtrlMarginLeft", "BTextControl", "BoxProperty", BRect(100, 225, 180, 247)},
	    {"TxtCtrlMarginTop", "BTextControl", "BoxProperty", BRect(190, 225, 270, 247)},
	    {"TxtCtrlMarginRight", "BTextControl", "BoxProperty", BRect(280, 225, 360, 247)},
	    {"TxtCtrlMarginBottom", "BTextControl", "BoxProperty", BRect(370, 225, 450, 247)},
	    {"StrViewPaletteHint", "BStringView", "BoxProperty", BRect(310, 55, 590, 75)},
	    {"StrViewColorPreview", "BStringView", "BoxProperty", BRect(16, 155, 116, 175)},
	    {"BoxFavoriteColorSet", "BBox", "BoxProperty", BRect(310, 50, 590, 175)},
	    {"StrViewFG", "BStringView", "BoxFavoriteColorSet", BRect(10, 40, 40, 60)},
	    {"StrViewBG", "BStringView", "BoxFavoriteColorSet", BRect(10, 65, 40, 85)},
	    {"StrViewGap", "BStringView", "BoxFavoriteColorSet", BRect(10, 90, 40, 110)},
	    {"CBoxCorrectHoarse", "BCheckBox", "BoxProperty", BRect(10, 255, 590, 275)},
	    {"TxtCtrlSrcScreenFontSize", "BTextControl", "BoxProperty", BRect(10, 285, 410, 307)},
	    {"StrViewFreehandProtect", "BStringView", "BGView", BRect(410, 10, 520, 30)},
	    {"ButtonSave", "BButton", "BGView", BRect(320, 10, 400, 35)},
	};
	for (const Expected& view : expected) {
		SCOPED_TRACE(view.name);
		ASSERT_EQ(views.count(view.name), 1u);
		const Archived& found = views[view.name];
		EXPECT_EQ(found.className, view.className);
		EXPECT_EQ(found.parent, view.parent);
		if (found.className == "BColorControl") {
			// The colour control takes the height its number fields need on this platform.
			EXPECT_EQ(found.frame.LeftTop(), view.frame.LeftTop());
			EXPECT_EQ(found.frame.Width(), view.frame.Width());
		} else {
			EXPECT_EQ(found.frame, view.frame);
		}
		const uint32 mode = strcmp(view.name, "BGView") == 0 ? B_FOLLOW_ALL : B_FOLLOW_LEFT_TOP;
		EXPECT_EQ(found.resizingMode, mode);
		// The text controls and the two boxes name the font, whether or not it is installed.
		const bool named = found.className == "BTextControl" || found.className == "BBox";
		EXPECT_EQ(found.fontFamily, named ? "Haru" : "");
		EXPECT_EQ(found.fontStyle, named ? "Regular" : "");
		EXPECT_EQ(found.fontSize, named ? 12.0f : 0.0f);
	}
}

TEST(ViewTreeArchiveTest, RebuildsIntoTheSameControlsWithTheirAttributes)
{
	BMessage archive = build_glowplate_view_archive();
	BView root(&archive);
	EXPECT_EQ(root.Flags() & (B_WILL_DRAW | B_FRAME_EVENTS),
	          (uint32)(B_WILL_DRAW | B_FRAME_EVENTS));

	auto field = [&](const char* name) { return dynamic_cast<BTextControl*>(root.FindView(name)); };
	const char* numbers[] = {"TxtCtrlLEDSize",      "TxtCtrlLEDGap",           "TxtCtrlResolutionY",
	                         "TxtCtrlMarginLeft",   "TxtCtrlMarginTop",        "TxtCtrlMarginRight",
	                         "TxtCtrlMarginBottom", "TxtCtrlSrcScreenFontSize"};
	for (const char* name : numbers) {
		SCOPED_TRACE(name);
		ASSERT_NE(field(name), nullptr);
		alignment label, text;
		field(name)->GetAlignment(&label, &text);
		EXPECT_EQ(text, B_ALIGN_RIGHT);
		EXPECT_EQ(field(name)->Divider(), 90);
	}
	alignment label, text;
	field("TxtCtrlDisplayText")->GetAlignment(&label, &text);
	EXPECT_EQ(text, B_ALIGN_LEFT);

	for (const char* name : {"MFieldFontFamily", "MFieldColor"}) {
		BMenuField* menuField = dynamic_cast<BMenuField*>(root.FindView(name));
		ASSERT_NE(menuField, nullptr) << name;
		ASSERT_NE(dynamic_cast<BPopUpMenu*>(menuField->Menu()), nullptr) << name;
		EXPECT_STREQ(menuField->Menu()->Name(), "Menu");
		EXPECT_TRUE(menuField->Menu()->IsRadioMode()) << name;
		EXPECT_EQ(menuField->Divider(), 90);
	}
	BButton* save = dynamic_cast<BButton*>(root.FindView("ButtonSave"));
	ASSERT_NE(save, nullptr);
	EXPECT_EQ(save->Flags() & (B_WILL_DRAW | B_NAVIGABLE | B_FULL_UPDATE_ON_RESIZE),
	          (uint32)(B_WILL_DRAW | B_NAVIGABLE | B_FULL_UPDATE_ON_RESIZE));
	BStringView* gap = dynamic_cast<BStringView*>(root.FindView("StrViewGap"));
	ASSERT_NE(gap, nullptr);
	EXPECT_STREQ(gap->Text(), "Gap");
	EXPECT_EQ(gap->Alignment(), B_ALIGN_CENTER);
	EXPECT_STREQ(dynamic_cast<BStringView*>(root.FindView("StrViewMargin"))->Text(), "");
	BColorControl* colors = dynamic_cast<BColorControl*>(root.FindView("ColCtrlColor"));
	ASSERT_NE(colors, nullptr);
	EXPECT_EQ(colors->Layout(), B_CELLS_32x8);
	EXPECT_EQ(colors->CellSize(), 6);
	EXPECT_EQ(colors->Frame().LeftTop(), BPoint(10, 80));
	EXPECT_EQ(colors->Frame().Width(), 286);
	EXPECT_EQ(dynamic_cast<BBox*>(root.FindView("BoxProperty"))->Label(), nullptr);
}

// The resources this test program carries were written by the generator, as the
// application's are.
TEST(AppResourcesTest, CarryTheSignatureFlagsVersionTypesAndTheViewTree)
{
	BResources* resources = BApplication::AppResources();
	ASSERT_NE(resources, nullptr);
	size_t size = 0;
	const void* data = resources->LoadResource('MIMS', "BEOS:APP_SIG", &size);
	ASSERT_NE(data, nullptr);
	EXPECT_EQ(std::string((const char*)data, size), std::string(gAppSignature) + '\0');
	data = resources->LoadResource('APPF', 1, &size);
	ASSERT_EQ(size, 4u);
	EXPECT_EQ(memcmp(data, "\x01\0\0\0", 4), 0);
	data = resources->LoadResource('APPV', "BEOS:APP_VERSION", &size);
	EXPECT_EQ(size, 340u);
	data = resources->LoadResource('MSGG', "BEOS:FILE_TYPES", &size);
	BMessage types;
	ASSERT_EQ(types.Unflatten((const char*)data, (ssize_t)size), B_OK);
	EXPECT_TRUE(types.IsEmpty());
	EXPECT_FALSE(resources->HasResource('PNG ', "icon")) << "built without an icon";

	// The view tree is found by type and name, as the main window looks for it, under its id.
	data = resources->LoadResource(kViewTreeResourceType, kViewTreeResourceName, &size);
	ASSERT_NE(data, nullptr);
	int32 id = 0;
	ASSERT_TRUE(
	    resources->GetResourceInfo(kViewTreeResourceType, kViewTreeResourceName, &id, &size));
	EXPECT_EQ(id, 4000);
	BMessage stored;
	ASSERT_EQ(stored.Unflatten((const char*)data, (ssize_t)size), B_OK);
	const BMessage built = build_glowplate_view_archive();
	std::vector<char> a(stored.FlattenedSize()), b(built.FlattenedSize());
	ASSERT_EQ(stored.Flatten(a.data(), (ssize_t)a.size()), B_OK);
	ASSERT_EQ(built.Flatten(b.data(), (ssize_t)b.size()), B_OK);
	EXPECT_EQ(a, b);
}

class ResourceGeneratorTest : public ::testing::Test {
protected:
	int Run(std::vector<std::string> arguments)
	{
		arguments.insert(arguments.begin(), GLOWPLATE_RESGEN);
		return editortest::run_program(GLOWPLATE_RESGEN, arguments, {}, true);
	}

	TempFolder folder;
};

TEST_F(ResourceGeneratorTest, WritesTheIconGivenAndRefusesWhatItCannotUse)
{
	// A 2 x 1 icon in the program's own PNG encoding.
	uint8 pixels[8] = {0, 0, 255, 255, 0, 255, 0, 128};
	std::vector<uint8> png;
	ASSERT_EQ(graphics::PngCodec::EncodeToBuffer(graphics::PixelBuffer(pixels, 2, 1, 8),
	                                             graphics::PixelLayout::Bgra, &png),
	          B_OK);
	const std::string icon = folder.Write("icon.png", std::string(png.begin(), png.end()));
	const std::string out = folder.Path("resources.cpp");
	ASSERT_EQ(Run({"--icon", icon, "-o", out}), 0);
	const std::string source = folder.Read("resources.cpp");
	EXPECT_NE(source.find("B_DEFINE_APP_RESOURCES(kResources)"), std::string::npos);
	EXPECT_NE(source.find("\"icon\", kData5, " + std::to_string(png.size()) + "}"),
	          std::string::npos);
	EXPECT_NE(source.find("0x41524356 /* 'ARCV' */, 4000, \"GlowplateViewRsrc\""),
	          std::string::npos);
	EXPECT_FALSE(std::filesystem::exists(out + ".tmp"));

	EXPECT_EQ(Run({"-o"}), 2);
	EXPECT_EQ(Run({"--icon", icon}), 2) << "no output";
	EXPECT_EQ(Run({"--frobnicate", "-o", out}), 2);
	EXPECT_EQ(Run({"--icon", folder.Path("missing.png"), "-o", folder.Path("other.cpp")}), 1);
	EXPECT_FALSE(std::filesystem::exists(folder.Path("other.cpp")));
	EXPECT_EQ(Run({"-o", folder.Path("no/such/folder.cpp")}), 1);
	// A failed run leaves the earlier source as it was.
	EXPECT_EQ(folder.Read("resources.cpp"), source);
}

} // namespace
