#include "GalleryCompletion.h"

#include <Bitmap.h>
#include <Entry.h>
#include <Message.h>
#include <Messenger.h>
#include <View.h>

#include "TACTextControl.h"
#include "TTamarackArchivable.h"
#include "TToolBar.h"
#include "TToolButton.h"

namespace {

enum : uint32 {
	kMsgList = 'gcls',
	kMsgKeepFew = 'gckf',
	kMsgKeepMany = 'gckm',
};

const char* const kStations[] = {"/Tokyo", "/Shinagawa", "/Shinjuku", "/Shibuya", "/Ikebukuro",
                                 "/Ueno",  "/Kyoto",     "/Osaka",    "/新宿",    "/渋谷"};

// A 16 x 16 picture on a transparent ground: a filled square for the list, a small and a large
// disc for the two sizes. Their derived states show on the bar.
BBitmap* make_icon(int shape, rgb_color color)
{
	BBitmap* icon = new BBitmap(BRect(0, 0, 15, 15), B_RGBA32);
	uint8* bits = (uint8*)icon->Bits();
	for (int y = 0; y < 16; y++) {
		for (int x = 0; x < 16; x++) {
			float dx = x - 7.5f, dy = y - 7.5f;
			bool in = shape == 0 ? (x >= 2 && x <= 13 && (y % 4) != 0 && y >= 2 && y <= 13)
			                     : dx * dx + dy * dy <= (shape == 1 ? 16 : 56);
			uint8* pixel = bits + y * icon->BytesPerRow() + x * 4;
			pixel[0] = in ? color.blue : 0;
			pixel[1] = in ? color.green : 0;
			pixel[2] = in ? color.red : 0;
			pixel[3] = in ? 255 : 0;
		}
	}
	return icon;
}

// Holds the bar and the field, works the buttons and passes their news on.
class CompletionDemoView : public BView {
public:
	CompletionDemoView(BPoint where, BHandler* target, uint32 reportCode)
	    : BView(BRect(where, where + BPoint(299, 59)), "CompletionDemo", B_FOLLOW_LEFT_TOP, 0),
	      fTarget(target), fReportCode(reportCode)
	{
		fBar = new TToolBar(BRect(0, 0, 10, 10), "DemoToolBar", B_FOLLOW_LEFT_TOP);
		AddChild(fBar);
		TToolButton* list =
		    new TToolButton(BRect(0, 0, 1, 1), "DemoList", make_icon(0, make_color(40, 90, 170)),
		                    "List (L)", new BMessage(kMsgList), TToolButton::kPushBehavior);
		list->SetTip("Lists every station that completes the text");
		TToolButton* few =
		    new TToolButton(BRect(0, 0, 1, 1), "DemoKeepFew", make_icon(1, make_color(200, 60, 40)),
		                    "5", new BMessage(kMsgKeepFew), TToolButton::kToggleBehavior);
		few->SetTip("Keeps the five most recent stations");
		TToolButton* many = new TToolButton(
		    BRect(0, 0, 1, 1), "DemoKeepMany", make_icon(2, make_color(200, 60, 40)), "18",
		    new BMessage(kMsgKeepMany), TToolButton::kToggleBehavior);
		many->SetTip("Keeps eighteen stations");
		fBar->AddItem(list);
		fBar->AddSeparatorItem();
		fBar->AddItem(few);
		fBar->AddItem(many);
		many->SetRadioMode(true);
		many->SetValue(1);

		float top = fBar->Frame().bottom + 6;
		fField = new TACTextControl(BRect(0, top, 299, top + 20), "DemoCompletion", "Station", "",
		                            nullptr);
		fField->SetDivider(60);
		fField->SetTrigger("/");
		AddChild(fField);
		ResizeTo(299, fField->Frame().bottom);

		BEntry entry;
		if (TTamarackArchivable().GetSettingsEntry("Glowplate", "Gallery_Completion.arc", &entry) ==
		    B_OK) {
			bool first = !entry.Exists();
			fField->SetTo(entry.PathString());
			if (first) {
				for (const char* station : kStations)
					fField->AddCandidate(station);
			}
		}
	}

	// The demo stands on the gallery's own ground; the bar and the field take it from here.
	void AttachedToWindow() override
	{
		BView::AttachedToWindow();
		if (Parent() != nullptr && Parent()->ViewColor() != B_TRANSPARENT_COLOR)
			SetViewColor(Parent()->ViewColor());
		SetLowColor(ViewColor());
	}

	void AllAttached() override
	{
		BView::AllAttached();
		// The bar takes its window's width; here it only needs its buttons'.
		float width, height;
		fBar->GetPreferredSize(&width, &height);
		fBar->ResizeTo(width, height);
		fBar->SetTargetForItems(this);
	}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
		case kMsgList:
			fField->MakeFocus(true);
			fField->ShowCandidatesWindow();
			Report("List pressed");
			break;
		case kMsgKeepFew:
			fField->SetMaxCandidates(5);
			Report("The field keeps 5 stations");
			break;
		case kMsgKeepMany:
			fField->SetMaxCandidates(18);
			Report("The field keeps 18 stations");
			break;
		default:
			BView::MessageReceived(message);
			break;
		}
	}

private:
	void Report(const char* text)
	{
		if (fTarget == nullptr)
			return;
		BMessage report(fReportCode);
		report.AddString("text", text);
		BMessenger(fTarget).SendMessage(&report);
	}

	TToolBar* fBar;
	TACTextControl* fField;
	BHandler* fTarget;
	uint32 fReportCode;
};

} // namespace

BView* add_completion_demo(BView* parent, BPoint where, BHandler* target, uint32 reportCode)
{
	if (parent == nullptr)
		return nullptr;
	CompletionDemoView* demo = new CompletionDemoView(where, target, reportCode);
	parent->AddChild(demo);
	return demo;
}
