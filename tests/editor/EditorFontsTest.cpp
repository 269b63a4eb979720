// The font menu: every installed family with its styles, the stored font shown even when it is
// not installed, and choosing a family or a style of another family, with the marks following.
#include <gtest/gtest.h>

#include <Font.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>

#include <TProperty.h>

#include "EditorTesting.h"
#include "MenuTestSupport.h"

namespace {

using namespace editortest;

class EditorFontsTest : public EditorTest {
protected:
	BMenu* Menu()
	{
		return Locked([&] { return Find<BMenuField>("MFieldFontFamily")->Menu(); });
	}

	BMenuItem* Family(const char* family)
	{
		BAutolock lock(window);
		for (int32 i = 0; BMenuItem* item = Menu()->ItemAt(i); i++) {
			if (strcmp(item->Label(), family) == 0)
				return item;
		}
		return nullptr;
	}

	BMenuItem* Style(const char* family, const char* style)
	{
		BMenuItem* familyItem = Family(family);
		BAutolock lock(window);
		return familyItem != nullptr ? familyItem->Submenu()->FindItem(style) : nullptr;
	}

	std::string Label()
	{
		BAutolock lock(window);
		return Find<BMenuField>("MFieldFontFamily")->MenuItem()->Label();
	}

	// The labels of the marked items: the family, then its marked style.
	std::vector<std::string> Marked()
	{
		BAutolock lock(window);
		std::vector<std::string> marked;
		for (int32 i = 0; BMenuItem* item = Menu()->ItemAt(i); i++) {
			if (item->IsMarked())
				marked.push_back(item->Label());
			for (int32 j = 0; BMenuItem* style = item->Submenu()->ItemAt(j); j++) {
				if (style->IsMarked())
					marked.push_back(std::string(item->Label()) + "/" + style->Label());
			}
		}
		return marked;
	}

	void OpenMenu()
	{
		ASSERT_TRUE(driver::Click(Find<BMenuField>("MFieldFontFamily")->MenuBar()));
		ASSERT_NE(menutest::WaitOpen(Menu()), nullptr);
	}

	void Chose()
	{
		ASSERT_TRUE(menutest::WaitClosed(Menu()));
		Sync();
	}
};

TEST_F(EditorFontsTest, OffersEveryInstalledFamilyAndShowsTheStoredFontThoughItIsMissing)
{
	std::vector<std::string> installed;
	for (int32 i = 0; i < count_font_families(); i++) {
		font_family family;
		if (get_font_family(i, &family) == B_OK)
			installed.push_back(family);
	}
	std::vector<std::string> offered;
	{
		BAutolock lock(window);
		for (int32 i = 0; BMenuItem* item = Menu()->ItemAt(i); i++) {
			offered.push_back(item->Label());
			EXPECT_EQ(item->Submenu()->CountItems(), count_font_styles(item->Label()));
			EXPECT_TRUE(item->Submenu()->IsRadioMode());
		}
	}
	EXPECT_EQ(offered, installed);
	ASSERT_EQ(Family("Haru"), nullptr) << "the test needs a system without the stored font";
	EXPECT_EQ(Label(), "Haru (Regular)");
	EXPECT_TRUE(Marked().empty());
}

TEST_F(EditorFontsTest, AFamilyChosenItselfTakesTheStyleTheFontSystemPicks)
{
	BMenuItem* serif = Family("DejaVu Serif");
	ASSERT_NE(serif, nullptr);
	BFont font;
	font.SetFamilyAndStyle("DejaVu Serif", "");
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);

	OpenMenu();
	driver::ClickAt(menutest::ItemCentre(serif));
	Chose();
	EXPECT_EQ(gProperty.mFontFamily, "DejaVu Serif");
	EXPECT_EQ(gProperty.mFontStyle, style);
	EXPECT_EQ(Label(), std::string("DejaVu Serif (") + style + ")");
	EXPECT_EQ(Marked(),
	          (std::vector<std::string>{"DejaVu Serif", std::string("DejaVu Serif/") + style}));
	EXPECT_TRUE(ScreenPicture() == render_aside("各駅停車"));
}

TEST_F(EditorFontsTest, AStyleOfAnotherFamilyMovesBothMarks)
{
	OpenMenu();
	driver::ClickAt(menutest::ItemCentre(Family("DejaVu Serif")));
	Chose();

	OpenMenu();
	BMenuItem* sans = Family("DejaVu Sans");
	ASSERT_NE(sans, nullptr);
	driver::MoveTo(menutest::ItemCentre(sans));
	BMenu* styles = Locked([&] { return sans->Submenu(); });
	ASSERT_NE(menutest::WaitOpen(styles), nullptr);
	BMenuItem* bold = Style("DejaVu Sans", "Bold");
	ASSERT_NE(bold, nullptr);
	// Along the family's row into the submenu, then to the style.
	driver::MoveTo(menutest::ItemCentre(Locked([&] { return styles->ItemAt(0); })));
	driver::MoveTo(menutest::ItemCentre(bold));
	driver::ClickAt(menutest::ItemCentre(bold));
	Chose();

	EXPECT_EQ(gProperty.mFontFamily, "DejaVu Sans");
	EXPECT_EQ(gProperty.mFontStyle, "Bold");
	EXPECT_EQ(Label(), "DejaVu Sans (Bold)");
	EXPECT_EQ(Marked(), (std::vector<std::string>{"DejaVu Sans", "DejaVu Sans/Bold"}));
	EXPECT_TRUE(ScreenPicture() == render_aside("各駅停車"));
}

} // namespace
