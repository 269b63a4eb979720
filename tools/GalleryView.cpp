#include "GalleryView.h"
#include "GalleryCompletion.h"

#include <cstdio>
#include <string>

#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <ColorControl.h>
#include <ListItem.h>
#include <ListView.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <RadioButton.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <StringView.h>
#include <TabView.h>
#include <TextControl.h>
#include <TextView.h>
#include <Window.h>

namespace BPrivate {

namespace {

enum : uint32 {
	kMsgName = 'gnam',
	kMsgNameEntered = 'gent',
	kMsgCheck = 'gchk',
	kMsgRadio = 'grad',
	kMsgMenu = 'gmnu',
	kMsgColor = 'gcol',
	kMsgListSelected = 'glst',
	kMsgListInvoked = 'glsi',
	kMsgOk = 'gbok',
	kMsgAlert = 'galt',
	kMsgSave = 'gsav',
};

// A scroll bar that says where it is.
class ReportingScrollBar : public BScrollBar {
public:
	ReportingScrollBar(BRect frame, BStringView* readout)
	    : BScrollBar(frame, "ScrollBar", nullptr, 0, 100, B_HORIZONTAL), fReadout(readout)
	{
	}
	void ValueChanged(float value) override
	{
		BScrollBar::ValueChanged(value);
		fReadout->SetText(("Value " + std::to_string((int)value)).c_str());
	}

private:
	BStringView* fReadout;
};

BMessage* item_message(const char* label)
{
	BMessage* message = new BMessage(kMsgMenu);
	message->AddString("label", label);
	return message;
}

} // namespace

GalleryView::GalleryView(BRect frame)
    : BView(frame, "Gallery", B_FOLLOW_ALL, B_WILL_DRAW), fName(nullptr), fStatus(nullptr)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	BBox* text = new BBox(BRect(10, 8, 320, 150), "TextBox");
	text->SetLabel("Text");
	AddChild(text);
	_BuildTextGroup(text);
	BBox* choices = new BBox(BRect(10, 160, 320, 330), "ChoiceBox");
	choices->SetLabel("Choices");
	AddChild(choices);
	_BuildChoices(choices);
	_BuildRightColumn();
	// The tool bar and the completing field, under the choices.
	add_completion_demo(this, BPoint(10, 342), this);

	BRect bounds = Bounds();
	fStatus = new BStringView(BRect(10, bounds.bottom - 24, bounds.right - 10, bounds.bottom - 6),
	                          "Status", "Ready.", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM);
	AddChild(fStatus);
}

void GalleryView::_BuildTextGroup(BView* box)
{
	fName = new BTextControl(BRect(10, 22, 300, 44), "Name", "Name:", "", new BMessage(kMsgNameEntered));
	fName->SetModificationMessage(new BMessage(kMsgName));
	fName->SetDivider(fName->StringWidth("Name:") + 8);
	box->AddChild(fName);
	fControls.push_back(fName);

	BTextView* notes = new BTextView(BRect(12, 54, 284, 128), "Notes", BRect(2, 2, 268, 70),
	                                 B_FOLLOW_LEFT_TOP, B_WILL_DRAW | B_NAVIGABLE);
	notes->SetText("A text of several lines.\n複数行のテキスト：行先表示\nCtrl+Z undoes, "
	               "Ctrl+Shift+Z redoes.");
	box->AddChild(new BScrollView("NotesScroll", notes, B_FOLLOW_LEFT_TOP, 0, false, true));
}

void GalleryView::_BuildChoices(BView* box)
{
	BCheckBox* check = new BCheckBox(BRect(10, 22, 300, 42), "Check", "Show the grid (G)",
	                                 new BMessage(kMsgCheck));
	BRadioButton* small = new BRadioButton(BRect(10, 46, 150, 66), "Small", "Small lamps (S)",
	                                       new BMessage(kMsgRadio));
	BRadioButton* large = new BRadioButton(BRect(150, 46, 300, 66), "Large", "Large lamps (L)",
	                                       new BMessage(kMsgRadio));
	small->SetValue(B_CONTROL_ON);
	box->AddChild(check);
	box->AddChild(small);
	box->AddChild(large);
	fControls.push_back(check);
	fControls.push_back(small);
	fControls.push_back(large);

	BPopUpMenu* menu = new BPopUpMenu("Colour");
	for (const char* label : {"Amber", "Green", "White"})
		menu->AddItem(new BMenuItem(label, item_message(label)));
	BMenu* more = new BMenu("More");
	for (const char* label : {"Red", "Blue", "赤と青"})
		more->AddItem(new BMenuItem(label, item_message(label)));
	menu->AddItem(new BMenuItem(more, item_message("More")));
	menu->ItemAt(0)->SetMarked(true);
	BMenuField* field = new BMenuField(BRect(10, 74, 300, 97), "ColourField", "Colour (C):", menu);
	field->SetDivider(field->StringWidth("Colour (C):") + 8);
	box->AddChild(field);

	BButton* alert = new BButton(BRect(10, 120, 109, 144), "AlertButton", "Alert (A)…",
	                             new BMessage(kMsgAlert));
	BButton* save = new BButton(BRect(116, 120, 205, 144), "SaveButton", "Save…",
	                            new BMessage(kMsgSave));
	BButton* ok = new BButton(BRect(212, 120, 300, 144), "OkButton", "OK", new BMessage(kMsgOk));
	box->AddChild(alert);
	box->AddChild(save);
	box->AddChild(ok);
	fControls.push_back(alert);
	fControls.push_back(save);
	fControls.push_back(ok);
}

void GalleryView::_BuildRightColumn()
{
	BColorControl* color =
	    new BColorControl(BPoint(340, 12), B_CELLS_32x8, 6, "Colour", new BMessage(kMsgColor));
	color->SetValue(make_color(255, 176, 0));
	AddChild(color);
	fControls.push_back(color);

	BListView* list = new BListView(BRect(342, 96, 630 - B_V_SCROLL_BAR_WIDTH - 2, 226), "List");
	const char* const stations[] = {"東京", "品川", "新横浜", "名古屋", "京都", "新大阪",
	                                "Tokyo", "Shinagawa", "Nagoya", "Kyoto", "Shin-Osaka"};
	for (int round = 0; round < 3; round++) {
		for (const char* station : stations)
			list->AddItem(new BStringItem(station));
	}
	list->SetSelectionMessage(new BMessage(kMsgListSelected));
	list->SetInvocationMessage(new BMessage(kMsgListInvoked));
	AddChild(new BScrollView("ListScroll", list, B_FOLLOW_LEFT_TOP, 0, false, true));

	BTabView* tabs = new BTabView(BRect(340, 238, 630, 330), "Tabs", B_WIDTH_AS_USUAL,
	                              B_FOLLOW_LEFT_TOP);
	BView* first = new BView(BRect(0, 0, 280, 50), "FirstTab", B_FOLLOW_ALL, B_WILL_DRAW);
	first->AddChild(new BStringView(BRect(8, 8, 270, 26), "FirstText", "The first tab's page."));
	BView* second = new BView(BRect(0, 0, 280, 50), "SecondTab", B_FOLLOW_ALL, B_WILL_DRAW);
	second->AddChild(new BStringView(BRect(8, 8, 270, 26), "SecondText", "二つ目のタブ"));
	tabs->AddTab(first);
	tabs->TabAt(0)->SetLabel("First");
	tabs->AddTab(second);
	tabs->TabAt(1)->SetLabel("Second");
	AddChild(tabs);

	BStringView* readout = new BStringView(BRect(340, 360, 630, 378), "Readout", "Value 0");
	AddChild(new ReportingScrollBar(BRect(340, 342, 630, 342 + B_H_SCROLL_BAR_HEIGHT), readout));
	AddChild(readout);
}

void GalleryView::AttachedToWindow()
{
	// Every control reports to this view, which says in words what happened.
	for (BControl* control : fControls)
		control->SetTarget(this);
	if (BMenuField* field = dynamic_cast<BMenuField*>(FindView("ColourField")))
		field->Menu()->SetTargetForItems(this);
	if (BMenuField* field = dynamic_cast<BMenuField*>(FindView("ColourField"))) {
		for (int32 i = 0; BMenuItem* item = field->Menu()->ItemAt(i); i++) {
			if (item->Submenu() != nullptr)
				item->Submenu()->SetTargetForItems(this);
		}
	}
	if (BListView* list = dynamic_cast<BListView*>(FindView("List")))
		list->SetTarget(this);
	if (BButton* ok = dynamic_cast<BButton*>(FindView("OkButton")))
		ok->MakeDefault(true);
}

void GalleryView::MessageReceived(BMessage* message)
{
	switch (message->what) {
	case kMsgName:
		_Report(std::string("text ") + fName->Text());
		break;
	case kMsgNameEntered:
		_Report(std::string("entered ") + fName->Text());
		break;
	case kMsgCheck: {
		void* source = nullptr;
		message->FindPointer("source", &source);
		BControl* control = static_cast<BControl*>(source);
		_Report(std::string("check ") + (control != nullptr && control->Value() ? "on" : "off"));
		break;
	}
	case kMsgRadio: {
		void* source = nullptr;
		message->FindPointer("source", &source);
		BControl* control = static_cast<BControl*>(source);
		_Report(std::string("radio ") + (control != nullptr ? control->Name() : "?"));
		break;
	}
	case kMsgMenu:
		_Report(std::string("menu ") + message->GetString("label", ""));
		break;
	case kMsgColor: {
		int32 value = message->GetInt32("be:value", 0);
		char text[32];
		snprintf(text, sizeof(text), "colour #%06X", (unsigned)((uint32)value >> 8));
		_Report(text);
		break;
	}
	case kMsgListSelected:
		_Report("list selected " + std::to_string(message->GetInt32("index", -1)));
		break;
	case kMsgListInvoked:
		_Report("list invoked " + std::to_string(message->GetInt32("index", -1)));
		break;
	case kMsgOk:
		_Report("button OK");
		break;
	case kMsgCompletionDemoReport:
		_Report(std::string("completion ") + message->GetString("text", ""));
		break;
	case kMsgAlert:
	case kMsgSave:
		Window()->PostMessage(message);
		break;
	default:
		BView::MessageReceived(message);
		break;
	}
}

void GalleryView::_Report(const std::string& text)
{
	BMessage report(kMsgReport);
	report.AddString("text", text.c_str());
	Window()->PostMessage(&report);
}

void GalleryView::ShowStatus(const char* text)
{
	fStatus->SetText(text);
}

void GalleryView::SetControlsEnabled(bool enabled)
{
	for (BControl* control : fControls)
		control->SetEnabled(enabled);
	if (BMenuField* field = dynamic_cast<BMenuField*>(FindView("ColourField")))
		field->SetEnabled(enabled);
}

} // namespace BPrivate
