// Tab views: only the selected tab's view is in the tree, so a view in another tab is found
// only by walking the tabs; the pointer and the arrows choose the tab.
#include <gtest/gtest.h>

#include <cstring>

#include <Autolock.h>
#include <StringView.h>
#include <TabView.h>
#include <Window.h>

#include "TestApplication.h"
#include "TestDriver.h"

namespace {

// The search the application's dialogs use: the tree first, then every tab's view of every
// tab view among the parent's children.
BView* find_view_in_tabs(BView* parent, const char* name)
{
	if (BView* found = parent->FindView(name))
		return found;
	for (int32 i = 0; BView* child = parent->ChildAt(i); i++) {
		BTabView* tabs = dynamic_cast<BTabView*>(child);
		for (int32 t = 0; tabs != nullptr && t < tabs->CountTabs(); t++) {
			BView* page = tabs->TabAt(t)->View();
			if (page == nullptr)
				continue;
			if (BView* found = find_view_in_tabs(page, name))
				return found;
		}
	}
	return nullptr;
}

BView* make_page(const char* name, const char* field)
{
	BView* page = new BView(BRect(0, 0, 300, 200), name, B_FOLLOW_ALL, B_WILL_DRAW);
	page->AddChild(new BStringView(BRect(10, 10, 100, 30), field, field));
	return page;
}

// A window at (100, 100) holding "Root", which holds the tab view "Tabs" with the pages
// "PageOne" (holding "FieldOne") and "PageTwo" (holding "FieldTwo").
class TabViewTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		window = new BWindow(BRect(100, 100, 499, 399), "Tabs", B_TITLED_WINDOW, 0);
		root = new BView(BRect(0, 0, 399, 299), "Root", B_FOLLOW_ALL, B_WILL_DRAW);
		tabs = new BTabView(BRect(10, 10, 380, 280), "Tabs");
		tabs->AddTab(make_page("PageOne", "FieldOne"));
		tabs->AddTab(make_page("PageTwo", "FieldTwo"));
		root->AddChild(tabs);
		window->AddChild(root);
		window->Show();
		ASSERT_EQ(driver::Sync(window), B_OK);
	}

	void TearDown() override { app.Quit(); }

	int32 Selection()
	{
		BAutolock lock(window);
		return tabs->Selection();
	}

	TestApplication app;
	BWindow* window = nullptr;
	BView* root = nullptr;
	BTabView* tabs = nullptr;
};

} // namespace

TEST_F(TabViewTest, AViewInATabNotOnDisplayIsFoundOnlyThroughTheTabs)
{
	BAutolock lock(window);
	EXPECT_EQ(tabs->Selection(), 0);
	EXPECT_NE(window->FindView("FieldOne"), nullptr);
	EXPECT_EQ(window->FindView("FieldTwo"), nullptr);
	EXPECT_EQ(root->FindView("PageTwo"), nullptr);
	BView* field = find_view_in_tabs(root, "FieldTwo");
	ASSERT_NE(field, nullptr);
	EXPECT_EQ(field->Window(), nullptr);
	EXPECT_EQ(field->Parent(), tabs->TabAt(1)->View());
	EXPECT_EQ(tabs->ViewForTab(1), tabs->TabAt(1)->View());
	EXPECT_STREQ(tabs->TabAt(1)->Label(), "PageTwo");

	// Selecting the tab swaps the pages in the tree.
	tabs->Select(1);
	EXPECT_EQ(window->FindView("FieldTwo"), field);
	EXPECT_EQ(field->Window(), window);
	EXPECT_EQ(window->FindView("FieldOne"), nullptr);
	EXPECT_EQ(tabs->ViewForTab(1)->Parent(), tabs->ContainerView());
	EXPECT_EQ(tabs->ViewForTab(0)->Parent(), nullptr);
	EXPECT_EQ(tabs->ContainerView()->CountChildren(), 1);
}

TEST_F(TabViewTest, ThePointerAndTheArrowsChooseTheTab)
{
	BPoint second;
	{
		BAutolock lock(window);
		BRect frame = tabs->TabFrame(1);
		second = tabs->ConvertToScreen(BPoint((frame.left + frame.right) / 2, frame.top + 4));
		EXPECT_GT(frame.left, tabs->TabFrame(0).right);
	}
	driver::ClickAt(second);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), 1);
	driver::Key(B_LEFT_ARROW);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), 0);
	driver::Key(B_LEFT_ARROW);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), 0);

	// A disabled tab is passed over by the pointer and the arrows alike.
	{
		BAutolock lock(window);
		tabs->TabAt(1)->SetEnabled(false);
	}
	driver::ClickAt(second);
	driver::Key(B_RIGHT_ARROW);
	ASSERT_EQ(driver::Sync(window), B_OK);
	EXPECT_EQ(Selection(), 0);
}

TEST_F(TabViewTest, RemovingTheSelectedTabShowsItsNeighbour)
{
	BAutolock lock(window);
	tabs->AddTab(make_page("PageThree", "FieldThree"));
	tabs->Select(1);
	BTab* removed = tabs->RemoveTab(1);
	ASSERT_NE(removed, nullptr);
	EXPECT_EQ(tabs->CountTabs(), 2);
	EXPECT_EQ(tabs->Selection(), 1);
	EXPECT_NE(window->FindView("FieldThree"), nullptr);
	// The removed tab keeps its page, out of the tree.
	EXPECT_EQ(removed->View()->Window(), nullptr);
	EXPECT_NE(removed->View()->FindView("FieldTwo"), nullptr);
	delete removed;
	EXPECT_EQ(tabs->RemoveTab(5), nullptr);
	delete tabs->RemoveTab(0);
	EXPECT_EQ(tabs->Selection(), 0);
	EXPECT_NE(window->FindView("FieldThree"), nullptr);
}
