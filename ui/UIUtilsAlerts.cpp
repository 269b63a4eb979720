// Alerts, shortcut letters and clicking buttons.
#include "UIUtils.h"

#include <Button.h>
#include <OS.h>
#include <Window.h>

namespace {

// How long a clicked button stays pressed, so that the user sees which one a key pressed.
const bigtime_t kPressedTime = 50000;

} // namespace

int32 show_alert3(const BString& title, const BString& message, const BString& button0,
                  const BString& button1, const BString& button2, int32 escapeIndex,
                  alert_type type)
{
	// Without a title the text starts with the message rather than with two empty lines.
	BString text(title);
	if (!title.IsEmpty())
		text << "\n\n";
	text << message;
	const BString* labels[] = {&button0, &button1, &button2};
	// The alert stops at the first missing label, so an empty second one leaves out the third
	// as well.
	const char* second = button1.IsEmpty() ? nullptr : button1.String();
	const char* third = second == nullptr || button2.IsEmpty() ? nullptr : button2.String();
	BAlert* alert = new BAlert(title.String(), text.String(), button0.String(), second, third,
	                           B_WIDTH_AS_USUAL, type);
	for (int32 i = 0; i < alert->CountButtons(); i++) {
		char key = i == escapeIndex ? (char)B_ESCAPE : short_cut_from_label(*labels[i]);
		alert->SetShortcut(i, key);
	}
	return alert->Go();
}

void click_button(BButton* button, bool force)
{
	if (button == nullptr || (!button->IsEnabled() && !force))
		return;
	button->SetValue(B_CONTROL_ON);
	// Only the window's own thread may redraw it now; from elsewhere the pressed look shows
	// once the window's thread gets to it.
	BWindow* window = button->Window();
	if (window != nullptr && window->Thread() == find_thread(nullptr))
		window->UpdateIfNeeded();
	snooze(kPressedTime);
	button->SetValue(B_CONTROL_OFF);
	button->Invoke();
}

char short_cut_from_label(const BString& label)
{
	char found = 0;
	int32 open = label.FindLast("(");
	int32 close = label.FindLast(")");
	if (open >= 0 && close == open + 2) {
		found = label.ByteAt(open + 1);
	} else if (label.FindFirst(")") == 1 || label.FindFirst(" ") == 1 ||
	           label.FindFirst("・") == 1) {
		found = label.ByteAt(0);
	}
	if (found >= 'A' && found <= 'Z')
		found = (char)(found - 'A' + 'a');
	return found;
}
