// A modal alert: a message with an icon for its kind and one to three buttons. Go() shows it
// and waits for the user's answer (the index of the button pressed); Go(invoker) shows it and
// returns at once, and the invoker's message, with "which" holding the index, is sent when
// the user answers. The alert deletes itself once answered.
//
// The last button is the default (Enter). A button's shortcut (SetShortcut) works as the key
// alone and with Alt; Escape presses the button whose shortcut it is. While the alert is open
// the application's other windows take no input; called from a window's thread, Go keeps
// that window redrawing.
#ifndef _ALERT_H
#define _ALERT_H

#include <memory>
#include <string>
#include <vector>

#include <Window.h>

class BButton;
class BInvoker;

enum alert_type {
	B_EMPTY_ALERT = 0,
	B_INFO_ALERT,
	B_IDEA_ALERT,
	B_WARNING_ALERT,
	B_STOP_ALERT,
};

enum button_spacing {
	B_EVEN_SPACING = 0,
	B_OFFSET_SPACING,
};

namespace BPrivate {
struct AlertAnswer;
}

class BAlert : public BWindow {
public:
	BAlert(const char* title, const char* text, const char* button1,
	       const char* button2 = nullptr, const char* button3 = nullptr,
	       button_width width = B_WIDTH_AS_USUAL, alert_type type = B_INFO_ALERT);
	BAlert(const char* title, const char* text, const char* button1, const char* button2,
	       const char* button3, button_width width, button_spacing spacing, alert_type type);
	~BAlert() override;

	void SetShortcut(int32 index, char key);
	char Shortcut(int32 index) const;
	BButton* ButtonAt(int32 index) const;
	int32 CountButtons() const { return (int32)fButtons.size(); }
	const char* Text() const { return fText.c_str(); }
	alert_type Type() const { return fType; }

	// Shows the alert and waits for the answer: the index of the pressed button.
	int32 Go();
	// Shows the alert and returns; the invoker (which the alert takes) is invoked with
	// "which" when the user answers. Without an invoker the answer goes nowhere.
	status_t Go(BInvoker* invoker);

	void MessageReceived(BMessage* message) override;
	bool QuitRequested() override;

	// Where an alert of this size goes: the middle of the main screen.
	static BPoint AlertPosition(float width, float height);

private:
	void _Init(const char* text, const char* button1, const char* button2, const char* button3,
	           button_width width, alert_type type);
	void _Layout(button_width width);
	void _Answer(int32 index);

	std::string fText;
	alert_type fType;
	std::vector<BButton*> fButtons;
	std::vector<char> fShortcuts;
	std::shared_ptr<BPrivate::AlertAnswer> fAnswer;
	BInvoker* fInvoker;
};

#endif
