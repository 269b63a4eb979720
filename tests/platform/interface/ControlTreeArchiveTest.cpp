// A tree of boxes, captions, a list in a scroll view, a scroll bar and a tab view goes through
// a flattened deep archive and comes back whole: every child found again rather than made
// anew, every field under the platform's name. Archives with missing or wrongly typed fields
// come back with defaults.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <Box.h>
#include <ListView.h>
#include <Message.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <StringView.h>
#include <TabView.h>

namespace {

BView* build_tree()
{
	BView* root = new BView(BRect(0, 0, 399, 299), "Root", B_FOLLOW_ALL, B_WILL_DRAW);

	BBox* box = new BBox(BRect(10, 10, 190, 90), "BoxProperty", B_FOLLOW_LEFT_TOP, B_WILL_DRAW,
	                     B_PLAIN_BORDER);
	box->SetLabel("Settings");
	BStringView* caption = new BStringView(BRect(10, 40, 40, 60), "StrViewFG", "FG");
	caption->SetAlignment(B_ALIGN_CENTER);
	box->AddChild(caption);
	root->AddChild(box);

	BListView* list = new BListView(BRect(0, 0, 86, 60), "LViewCandidates",
	                                B_MULTIPLE_SELECTION_LIST, B_FOLLOW_ALL_SIDES);
	list->AddItem(new BStringItem("alpha"));
	list->AddItem(new BStringItem("beta"));
	BStringItem* gamma = new BStringItem("gamma", 2, false);
	gamma->SetEnabled(false);
	list->AddItem(gamma);
	list->Select(1);
	list->SetSelectionMessage(new BMessage('lsel'));
	list->SetInvocationMessage(new BMessage('AClc'));
	BScrollView* scroll =
	    new BScrollView("ScrlView", list, B_FOLLOW_ALL_SIDES, 0, false, true, B_FANCY_BORDER);
	scroll->MoveTo(200, 10);
	root->AddChild(scroll);

	BScrollBar* bar =
	    new BScrollBar(BRect(10, 100, 190, 114), "ScrlBarH", nullptr, 0, 250, B_HORIZONTAL);
	bar->SetSteps(2, 20);
	bar->SetValue(40);
	bar->SetProportion(0.5f);
	root->AddChild(bar);

	BTabView* tabs = new BTabView(BRect(10, 120, 390, 290), "Tabs");
	BView* one = new BView(BRect(0, 0, 200, 100), "PageOne", B_FOLLOW_ALL, B_WILL_DRAW);
	one->AddChild(new BStringView(BRect(0, 0, 50, 20), "InTabOne", "one"));
	BView* two = new BView(BRect(0, 0, 200, 100), "PageTwo", B_FOLLOW_ALL, B_WILL_DRAW);
	two->AddChild(new BStringView(BRect(0, 0, 50, 20), "InTabTwo", "two"));
	BTab* first = new BTab;
	first->SetLabel("First");
	tabs->AddTab(one, first);
	tabs->AddTab(two);
	tabs->TabAt(1)->SetEnabled(false);
	tabs->Select(1);
	root->AddChild(tabs);
	return root;
}

// The archive in its flattened form, as the resource keeps it.
std::string flattened(const BView* view)
{
	BMessage archive;
	EXPECT_EQ(view->Archive(&archive, true), B_OK);
	std::string bytes((size_t)archive.FlattenedSize(), '\0');
	EXPECT_EQ(archive.Flatten(bytes.data(), (ssize_t)bytes.size()), B_OK);
	return bytes;
}

BView* rebuild(const std::string& bytes)
{
	BMessage archive;
	EXPECT_EQ(archive.Unflatten(bytes.data(), (ssize_t)bytes.size()), B_OK);
	return dynamic_cast<BView*>(instantiate_object(&archive));
}

template <typename T>
T* find(BView* root, const char* name)
{
	return dynamic_cast<T*>(root->FindView(name));
}

} // namespace

TEST(ControlTreeArchiveTest, ATreeOfEveryKindComesBackWhole)
{
	BView* original = build_tree();
	std::string bytes = flattened(original);
	delete original;
	BView* root = rebuild(bytes);
	ASSERT_NE(root, nullptr);
	EXPECT_EQ(root->CountChildren(), 4);

	BBox* box = find<BBox>(root, "BoxProperty");
	ASSERT_NE(box, nullptr);
	EXPECT_STREQ(box->Label(), "Settings");
	EXPECT_EQ(box->Border(), B_PLAIN_BORDER);
	BStringView* caption = find<BStringView>(root, "StrViewFG");
	ASSERT_NE(caption, nullptr);
	EXPECT_EQ(caption->Parent(), box);
	EXPECT_STREQ(caption->Text(), "FG");
	EXPECT_EQ(caption->Alignment(), B_ALIGN_CENTER);

	// The scroll view finds its list and its bar again, linked to each other.
	BScrollView* scroll = find<BScrollView>(root, "ScrlView");
	BListView* list = find<BListView>(root, "LViewCandidates");
	ASSERT_NE(scroll, nullptr);
	ASSERT_NE(list, nullptr);
	EXPECT_EQ(scroll->CountChildren(), 2);
	EXPECT_EQ(scroll->Target(), list);
	EXPECT_EQ(scroll->Border(), B_FANCY_BORDER);
	ASSERT_NE(scroll->ScrollBar(B_VERTICAL), nullptr);
	EXPECT_EQ(scroll->ScrollBar(B_HORIZONTAL), nullptr);
	EXPECT_EQ(scroll->ScrollBar(B_VERTICAL)->Target(), list);
	EXPECT_EQ(list->ScrollBar(B_VERTICAL), scroll->ScrollBar(B_VERTICAL));
	EXPECT_EQ(list->Frame().LeftTop(), BPoint(2, 2));
	EXPECT_EQ(list->ListType(), B_MULTIPLE_SELECTION_LIST);
	ASSERT_EQ(list->CountItems(), 3);
	EXPECT_STREQ(static_cast<BStringItem*>(list->ItemAt(2))->Text(), "gamma");
	EXPECT_EQ(list->CurrentSelection(0), 1);
	EXPECT_EQ(list->CurrentSelection(1), -1);
	EXPECT_FALSE(list->ItemAt(2)->IsEnabled());
	EXPECT_EQ(list->ItemAt(2)->OutlineLevel(), 2u);
	EXPECT_FALSE(list->ItemAt(2)->IsExpanded());
	EXPECT_TRUE(list->ItemAt(0)->IsExpanded());
	EXPECT_GT(list->ItemFrame(1).top, 0);
	ASSERT_NE(list->SelectionMessage(), nullptr);
	EXPECT_EQ(list->SelectionCommand(), (uint32)'lsel');
	EXPECT_EQ(list->InvocationCommand(), (uint32)'AClc');

	BScrollBar* bar = find<BScrollBar>(root, "ScrlBarH");
	ASSERT_NE(bar, nullptr);
	float min, max, small, large;
	bar->GetRange(&min, &max);
	bar->GetSteps(&small, &large);
	EXPECT_EQ(bar->Orientation(), B_HORIZONTAL);
	EXPECT_EQ(min, 0);
	EXPECT_EQ(max, 250);
	EXPECT_EQ(small, 2);
	EXPECT_EQ(large, 20);
	EXPECT_EQ(bar->Value(), 40);
	EXPECT_EQ(bar->Proportion(), 0.5f);

	// The tab view's pages come back with their tabs, the selected one alone in the tree.
	BTabView* tabs = find<BTabView>(root, "Tabs");
	ASSERT_NE(tabs, nullptr);
	ASSERT_EQ(tabs->CountTabs(), 2);
	EXPECT_EQ(tabs->Selection(), 1);
	EXPECT_STREQ(tabs->TabAt(0)->Label(), "First");
	EXPECT_FALSE(tabs->TabAt(1)->IsEnabled());
	EXPECT_EQ(tabs->CountChildren(), 1);
	EXPECT_EQ(tabs->ContainerView()->CountChildren(), 1);
	EXPECT_EQ(tabs->ViewForTab(1)->Parent(), tabs->ContainerView());
	EXPECT_EQ(root->FindView("InTabOne"), nullptr);
	ASSERT_NE(tabs->ViewForTab(0)->FindView("InTabOne"), nullptr);
	EXPECT_NE(root->FindView("InTabTwo"), nullptr);

	// Archived again, the rebuilt tree gives the same bytes: nothing was lost or doubled.
	EXPECT_EQ(flattened(root), bytes);
	delete root;
}

TEST(ControlTreeArchiveTest, ArchivesWithMissingOrWronglyTypedFieldsComeBackWithDefaults)
{
	const float nan = std::numeric_limits<float>::quiet_NaN();
	BMessage archive;
	archive.AddString("class", "BScrollBar");
	archive.AddString("_range", "0..100");
	archive.AddFloat("_orient", 0);
	archive.AddFloat("_val", nan);
	archive.AddInt32("_prop", 1);
	archive.AddFloat("_steps", 3); // one of two
	BScrollBar* bar = dynamic_cast<BScrollBar*>(instantiate_object(&archive));
	ASSERT_NE(bar, nullptr);
	float min, max, small, large;
	bar->GetRange(&min, &max);
	bar->GetSteps(&small, &large);
	EXPECT_EQ(bar->Orientation(), B_VERTICAL);
	EXPECT_EQ(max, 0);
	EXPECT_EQ(bar->Value(), 0);
	EXPECT_EQ(bar->Proportion(), 0);
	EXPECT_EQ(small, 1);
	EXPECT_EQ(large, 10);
	delete bar;

	// A list whose items are not items, and a scroll view with a child of the wrong kind.
	BMessage notAnItem;
	BView("Stray", 0).Archive(&notAnItem, true);
	BMessage list;
	list.AddString("class", "BListView");
	list.AddString("_l_items", "alpha");
	list.AddMessage("_l_items", &notAnItem);
	list.AddString("_lv_type", "multiple");
	list.AddInt32("_2nd_msg", 5);
	BMessage scroll;
	scroll.AddString("class", "BScrollView");
	scroll.AddInt32("_style", 7);
	BMessage item;
	BStringItem("not a view").Archive(&item, true);
	scroll.AddMessage("_views", &item);
	scroll.AddMessage("_views", &list);
	BScrollView* scrollView = dynamic_cast<BScrollView*>(instantiate_object(&scroll));
	ASSERT_NE(scrollView, nullptr);
	EXPECT_EQ(scrollView->Border(), B_FANCY_BORDER);
	EXPECT_EQ(scrollView->ScrollBar(B_VERTICAL), nullptr);
	BListView* listView = dynamic_cast<BListView*>(scrollView->Target());
	ASSERT_NE(listView, nullptr);
	EXPECT_EQ(listView->CountItems(), 0);
	EXPECT_EQ(listView->ListType(), B_SINGLE_SELECTION_LIST);
	EXPECT_EQ(listView->SelectionMessage(), nullptr);
	delete scrollView;

	// Tabs without their views, a selection out of range and a tab height that is no number.
	BMessage tabArchive;
	BTab().Archive(&tabArchive, true);
	BMessage tabs;
	tabs.AddString("class", "BTabView");
	tabs.AddMessage("_l_items", &tabArchive);
	tabs.AddMessage("_l_items", &tabArchive);
	tabs.AddInt32("_sel", 9);
	tabs.AddFloat("_high", nan);
	BTabView* tabView = dynamic_cast<BTabView*>(instantiate_object(&tabs));
	ASSERT_NE(tabView, nullptr);
	EXPECT_EQ(tabView->CountTabs(), 2);
	EXPECT_EQ(tabView->Selection(), 0);
	EXPECT_EQ(tabView->ViewForTab(1), nullptr);
	EXPECT_TRUE(std::isfinite(tabView->TabHeight()));
	EXPECT_NE(tabView->ContainerView(), nullptr);
	delete tabView;
}
