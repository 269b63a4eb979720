#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <Bitmap.h>
#include <Message.h>
#include <View.h>

namespace {

// Records the attach and detach hooks in the order they run.
class HookView : public BView {
public:
	HookView(const char* name, std::vector<std::string>* log)
	    : BView(BRect(0, 0, 9, 9), name, B_FOLLOW_NONE, 0), fLog(log)
	{
	}
	void AttachedToWindow() override { fLog->push_back(std::string("attached ") + Name()); }
	void AllAttached() override { fLog->push_back(std::string("all attached ") + Name()); }
	void DetachedFromWindow() override { fLog->push_back(std::string("detached ") + Name()); }
	void AllDetached() override { fLog->push_back(std::string("all detached ") + Name()); }

private:
	std::vector<std::string>* fLog;
};

TEST(ViewTest, ChildrenKeepTheirOrderAndSiblings)
{
	BView parent(BRect(0, 0, 99, 99), "parent", B_FOLLOW_ALL, B_WILL_DRAW);
	BView* a = new BView(BRect(0, 0, 9, 9), "a", B_FOLLOW_NONE, 0);
	BView* b = new BView(BRect(0, 0, 9, 9), "b", B_FOLLOW_NONE, 0);
	BView* c = new BView(BRect(0, 0, 9, 9), "c", B_FOLLOW_NONE, 0);
	parent.AddChild(a);
	parent.AddChild(c);
	parent.AddChild(b, c);
	ASSERT_EQ(parent.CountChildren(), 3);
	EXPECT_EQ(parent.ChildAt(0), a);
	EXPECT_EQ(parent.ChildAt(1), b);
	EXPECT_EQ(parent.ChildAt(2), c);
	EXPECT_EQ(parent.ChildAt(-1), nullptr);
	EXPECT_EQ(a->PreviousSibling(), nullptr);
	EXPECT_EQ(a->NextSibling(), b);
	EXPECT_EQ(c->NextSibling(), nullptr);
	EXPECT_EQ(b->Parent(), &parent);
	EXPECT_EQ(parent.FindView("parent"), &parent) << "FindView includes the view itself";
	EXPECT_EQ(parent.FindView("c"), c);

	EXPECT_TRUE(b->RemoveSelf());
	EXPECT_EQ(b->Parent(), nullptr);
	EXPECT_EQ(a->NextSibling(), c);
	EXPECT_FALSE(parent.RemoveChild(b));
	delete b;
	// A child deleted while in the tree leaves it first.
	delete a;
	EXPECT_EQ(parent.CountChildren(), 1);
	EXPECT_EQ(parent.ChildAt(0), c);
}

TEST(ViewTest, AttachHooksRunTopDownThenBottomUp)
{
	std::vector<std::string> log;
	BBitmap bitmap(BRect(0, 0, 9, 9), B_RGBA32, true);
	HookView* top = new HookView("top", &log);
	HookView* child = new HookView("child", &log);
	top->AddChild(child);
	EXPECT_TRUE(log.empty()) << "no hooks without a host";
	bitmap.AddChild(top);
	EXPECT_EQ(log, (std::vector<std::string>{"attached top", "attached child", "all attached child",
	                                         "all attached top"}));
	log.clear();
	bitmap.RemoveChild(top);
	EXPECT_EQ(log, (std::vector<std::string>{"detached top", "detached child", "all detached child",
	                                         "all detached top"}));
	log.clear();
	bitmap.AddChild(top);
	log.clear();
	// Deleting the bitmap detaches its views before they are deleted.
	{
		BBitmap* doomed = new BBitmap(BRect(0, 0, 1, 1), B_RGBA32, true);
		doomed->AddChild(new HookView("gone", &log));
		log.clear();
		delete doomed;
		EXPECT_EQ(log, (std::vector<std::string>{"detached gone", "all detached gone"}));
	}
}

TEST(ViewTest, FrameBoundsMoveAndResize)
{
	BView view(BRect(10, 20, 29, 34), "view", B_FOLLOW_NONE, 0);
	EXPECT_EQ(view.Frame(), BRect(10, 20, 29, 34));
	EXPECT_EQ(view.Bounds(), BRect(0, 0, 19, 14));
	view.MoveBy(5, -5);
	EXPECT_EQ(view.Frame(), BRect(15, 15, 34, 29));
	view.MoveTo(0, 0);
	view.ResizeTo(3.5f, 2);
	EXPECT_EQ(view.Frame(), BRect(0, 0, 3.5f, 2));
	view.ResizeBy(-100, -100);
	EXPECT_EQ(view.Bounds(), BRect(0, 0, 0, 0)) << "a view keeps one pixel";
	view.ResizeTo(NAN, 4);
	EXPECT_EQ(view.Bounds(), BRect(0, 0, 0, 0)) << "non-finite sizes are ignored";
	view.ScrollTo(BPoint(3, 4));
	EXPECT_EQ(view.Bounds(), BRect(3, 4, 3, 4));
	EXPECT_EQ(view.ConvertToParent(BPoint(3, 4)), BPoint(0, 0));
	EXPECT_EQ(view.ConvertFromParent(BPoint(0, 0)), BPoint(3, 4));
}

TEST(ViewTest, ChildrenFollowTheirResizingModes)
{
	BView parent(BRect(0, 0, 99, 99), "parent", B_FOLLOW_NONE, 0);
	BView* left = new BView(BRect(10, 10, 19, 19), "left", B_FOLLOW_LEFT | B_FOLLOW_TOP, 0);
	BView* all = new BView(BRect(10, 10, 89, 89), "all", B_FOLLOW_ALL, 0);
	BView* corner = new BView(BRect(80, 80, 89, 89), "corner", B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM, 0);
	BView* wide = new BView(BRect(10, 0, 89, 9), "wide", B_FOLLOW_LEFT_RIGHT, 0);
	BView* centred =
	    new BView(BRect(40, 40, 59, 59), "centred", B_FOLLOW_H_CENTER | B_FOLLOW_V_CENTER, 0);
	for (BView* child : {left, all, corner, wide, centred})
		parent.AddChild(child);

	parent.ResizeBy(20, 10);
	EXPECT_EQ(left->Frame(), BRect(10, 10, 19, 19));
	EXPECT_EQ(all->Frame(), BRect(10, 10, 109, 99));
	EXPECT_EQ(corner->Frame(), BRect(100, 90, 109, 99));
	EXPECT_EQ(wide->Frame(), BRect(10, 0, 109, 9));
	EXPECT_EQ(centred->Frame(), BRect(50, 45, 69, 64));
}

class PreferredView : public BView {
public:
	PreferredView() : BView(BRect(0, 0, 1, 1), "preferred", B_FOLLOW_NONE, 0) {}
	void GetPreferredSize(float* width, float* height) override
	{
		*width = 118;
		*height = 70;
	}
};

TEST(ViewTest, ResizeToPreferredUsesTheVirtualSize)
{
	PreferredView view;
	view.ResizeToPreferred();
	EXPECT_EQ(view.Bounds(), BRect(0, 0, 118, 70));
	BView plain(BRect(0, 0, 4, 5), "plain", B_FOLLOW_NONE, 0);
	plain.ResizeToPreferred();
	EXPECT_EQ(plain.Bounds(), BRect(0, 0, 4, 5)) << "the default keeps the current size";
}

TEST(ViewTest, SetFontCopiesOnlyTheMaskedParts)
{
	BView view(BRect(0, 0, 9, 9), "view", B_FOLLOW_NONE, 0);
	BFont font;
	ASSERT_EQ(font.SetFamilyAndStyle("DejaVu Sans", "Bold"), B_OK);
	font.SetSize(30);
	font.SetFlags(B_DISABLE_ANTIALIASING);

	view.SetFont(&font, B_FONT_SIZE);
	BFont result;
	view.GetFont(&result);
	EXPECT_EQ(result.Size(), 30);
	EXPECT_EQ(result.FamilyAndStyle(), be_plain_font->FamilyAndStyle());
	EXPECT_EQ(result.Flags(), 0u);

	view.SetFont(&font, B_FONT_FAMILY_AND_STYLE | B_FONT_FLAGS);
	view.GetFont(&result);
	font_family family;
	font_style style;
	result.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "DejaVu Sans");
	EXPECT_STREQ(style, "Bold");
	EXPECT_EQ(result.Flags(), (uint32)B_DISABLE_ANTIALIASING);
	EXPECT_EQ(result, font);
}

TEST(ViewTest, ArchiveRoundTripWithThePlatformsFieldNames)
{
	BView parent(BRect(0, 0, 620, 500), "BGView", B_FOLLOW_ALL, B_WILL_DRAW | B_FRAME_EVENTS);
	parent.SetViewColor(make_color(216, 216, 216));
	BView* child = new BView(BRect(10, 40, 610, 325), "BoxProperty", B_FOLLOW_LEFT | B_FOLLOW_TOP,
	                         B_WILL_DRAW);
	BFont font;
	font.SetFamilyAndStyle("DejaVu Sans", "Bold");
	font.SetSize(12);
	child->SetFont(&font);
	child->SetHighColor(make_color(1, 2, 3, 4));
	child->SetDrawingMode(B_OP_ALPHA);
	child->AddChild(new BView(BRect(10, 20, 152, 43), "MFieldFontFamily", B_FOLLOW_NONE, 0));
	parent.AddChild(child);
	parent.AddChild(new BView(BRect(320, 10, 400, 35), "ButtonSave", B_FOLLOW_NONE, 0));

	BMessage archive;
	ASSERT_EQ(parent.Archive(&archive, true), B_OK);
	EXPECT_STREQ(archive.GetString("class", ""), "BView");
	EXPECT_STREQ(archive.GetString("_name", ""), "BGView");
	EXPECT_EQ(archive.GetRect("_frame", BRect()), BRect(0, 0, 620, 500));
	EXPECT_EQ(archive.GetInt32("_resize_mode", 0), 0x1234);
	EXPECT_EQ((uint32)archive.GetInt32("_flags", 0), (uint32)(B_WILL_DRAW | B_FRAME_EVENTS));
	EXPECT_FALSE(archive.HasString("_fname")) << "an untouched font is not archived";
	BMessage childArchive;
	ASSERT_EQ(archive.FindMessage("_views", 0, &childArchive), B_OK);
	EXPECT_STREQ(childArchive.GetString("_fname", 0, ""), "DejaVu Sans");
	EXPECT_STREQ(childArchive.GetString("_fname", 1, ""), "Bold");
	EXPECT_EQ(childArchive.GetFloat("_fflt", 0, 0), 12);

	BArchivable* object = instantiate_object(&archive);
	BView* restored = dynamic_cast<BView*>(object);
	ASSERT_NE(restored, nullptr);
	EXPECT_STREQ(restored->Name(), "BGView");
	EXPECT_EQ(restored->Frame(), BRect(0, 0, 620, 500));
	EXPECT_EQ(restored->ResizingMode(), (uint32)B_FOLLOW_ALL);
	EXPECT_EQ(restored->Flags(), (uint32)(B_WILL_DRAW | B_FRAME_EVENTS));
	EXPECT_EQ(restored->ViewColor(), make_color(216, 216, 216));
	ASSERT_EQ(restored->CountChildren(), 2);
	BView* box = restored->FindView("BoxProperty");
	ASSERT_NE(box, nullptr);
	EXPECT_EQ(box->Parent(), restored);
	EXPECT_EQ(box->HighColor(), make_color(1, 2, 3, 4));
	EXPECT_EQ(box->DrawingMode(), B_OP_ALPHA);
	BFont restoredFont;
	box->GetFont(&restoredFont);
	EXPECT_EQ(restoredFont.FamilyAndStyle(), font.FamilyAndStyle());
	ASSERT_NE(restored->FindView("MFieldFontFamily"), nullptr);
	EXPECT_EQ(restored->FindView("MFieldFontFamily")->Frame(), BRect(10, 20, 152, 43));
	EXPECT_EQ(restored->ChildAt(1), restored->FindView("ButtonSave"));
	delete restored;
}

TEST(ViewTest, ArchivesWithUnknownFontsOrForeignChildrenStillUnarchive)
{
	BMessage archive;
	archive.AddString("class", "BView");
	archive.AddString("_name", "TxtCtrlLEDSize");
	archive.AddRect("_frame", BRect(10, 195, 160, 217));
	archive.AddString("_fname", "Haru");
	archive.AddString("_fname", "Regular");
	archive.AddFloat("_fflt", 17);
	BMessage notAView;
	notAView.AddString("class", "BHandler");
	archive.AddMessage("_views", &notAView);
	BMessage unknownClass;
	unknownClass.AddString("class", "TNoSuchView");
	archive.AddMessage("_views", &unknownClass);

	BView* view = dynamic_cast<BView*>(instantiate_object(&archive));
	ASSERT_NE(view, nullptr);
	BFont font;
	view->GetFont(&font);
	EXPECT_EQ(font.FamilyAndStyle(), be_plain_font->FamilyAndStyle())
	    << "an unknown family keeps the plain font";
	EXPECT_EQ(font.Size(), 17) << "at the archived size";
	EXPECT_EQ(view->CountChildren(), 0);
	delete view;

	BMessage handler;
	handler.AddString("class", "BHandler");
	EXPECT_EQ(BView::Instantiate(&handler), nullptr);
}

} // namespace
