// Small helpers that the windows of the maker's applications share: alerts whose buttons
// answer to the letters their labels mark, sizing controls to their labels, clicking a button
// so that the user sees it, closing a window held in a pointer, messages that carry another
// message with its target, colours in messages, the answer of a save panel, opening documents
// and addresses in the user's preferred programs, the application's icons and copying a file
// with its attributes. None of them keeps any state.
#ifndef UI_UTILS_H
#define UI_UTILS_H

#include <Alert.h>
#include <GraphicsDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <String.h>

class BBitmap;
class BButton;
class BCheckBox;
class BFilePanel;
class BHandler;
class BMenu;
class BMenuField;
class BRadioButton;
class BStringView;
class BTextControl;
class BWindow;
struct entry_ref;

// --- alerts and buttons --------------------------------------------------------------------

// Shows a modal alert and waits for the answer: the index of the button pressed. The text is
// the title, an empty line and the message; the window's title is the title too. The first
// button is always there; an empty second label leaves out the second and the third button,
// an empty third label the third. The button at escapeIndex answers to Escape, every other one
// to the letter its label marks (short_cut_from_label). May be called from any thread.
int32 show_alert3(const BString& title, const BString& message, const BString& button0,
                  const BString& button1, const BString& button2, int32 escapeIndex,
                  alert_type type);

// Clicks the button as the user would see it: shown pressed for 50 ms, released, invoked. A
// disabled button is clicked only when forced; a null button never. Meant for the window's
// own thread (a keyboard shortcut's handler), whose window is redrawn before the wait.
void click_button(BButton* button, bool force);

// The accelerator letter a label marks, lower-cased, or 0: the single byte between the last
// "(" and the last ")" ("Save (S)"), else the first byte when the label's first ")", first
// blank or first "・" stands right after it ("S) Save", "S Save"). Only ASCII letters change
// case.
char short_cut_from_label(const BString& label);

// Quits the window held in *window, when there is one and it can be locked, and sets the
// pointer to null; otherwise changes nothing.
void close_window(BWindow** window);

// The same for a pointer to a window class of the caller's.
template <class Window>
void close_window(Window** window)
{
	if (window == nullptr)
		return;
	BWindow* base = *window;
	close_window(&base);
	if (base == nullptr)
		*window = nullptr;
}

// Widths that fit a control to its label; the heights stay. A button takes its preferred
// width; a check box and a radio button leave room for their mark before the label.
void adjust_button_width(BButton* button);
void adjust_cbox_width(BCheckBox* checkBox);
void adjust_rbutton_width(BRadioButton* radioButton);
// A string view as wide as its text; a menu field's and a text control's divider just after
// their labels.
void adjust_str_view_width(BStringView* view);
void adjust_mfield_divider(BMenuField* field);
void adjust_txt_ctrl_divider(BTextControl* control);

// --- menus ---------------------------------------------------------------------------------

// Aims every item of the menu and of all its submenus, at any depth, at the target; B_OK.
status_t set_target_for_items(BMenu* menu, BHandler* target);
// Removes every item of the field's menu and deletes it.
void delete_mfield_mitems(BMenuField* field);
// The priority of the panel window's thread; -1 without a panel.
status_t set_file_panel_priority(BFilePanel* panel, int32 priority);

// --- messages ------------------------------------------------------------------------------

// A message can carry another one with the messenger it is meant for, to be sent later:
// "NestMsg" holds the nested message, "NestMsgTgt" its target.
status_t add_nest_message(BMessage* message, const BMessage& nested, const BMessenger& target);
// B_OK only when both fields are there; -1 otherwise, leaving the outputs alone.
status_t find_nest_message(const BMessage* message, BMessage* nested, BMessenger* target);
// Sends the nested message to its target (no reply, no time limit) and answers the send's
// status; -1, sending nothing, when either field is missing.
status_t invoke_nest_message(const BMessage* message);

// A colour as one fixed-size B_RGB_COLOR_TYPE item of four bytes: red, green, blue, alpha.
status_t add_rgb_color(BMessage* message, const char* name, rgb_color color);
// The first such item of the name; the message's error when there is none.
status_t find_rgb_color(const BMessage* message, const char* name, rgb_color* color);
// True when red, green, blue and alpha are all equal.
bool is_same_rgb_color(rgb_color first, rgb_color second);

// The file a save panel's B_SAVE_REQUESTED answer names ("directory" and "name"), which need
// not exist yet. A name that is not a single file name ("", ".", "..", or one holding "/")
// is B_BAD_VALUE, so the answer can never point outside the chosen folder.
status_t get_save_ref(const BMessage* message, entry_ref* ref);

// Sends a copy of the message to every window of the application; B_OK.
status_t send_message_to_all_windows(BMessage message);
// Sends the message to the handler while holding its looper's lock, retrying every 20 ms
// until the lock is had. Gives up when the handler's looper is gone. The caller must not
// hold a lock that the handler's looper waits for.
void send_message_with_lock(BHandler* handler, BMessage message);

// --- other programs ------------------------------------------------------------------------

// Opens the document or address in the program the user prefers for it (through xdg-open,
// started without a shell and not waited for). 0 when it was started, -1 otherwise, also
// for a type that is not a MIME type.
status_t show_core(const char* type, const char* path);
// Opens a document after taking its type from its type attribute, else from its extension;
// -1 without a known type.
status_t show_help(const char* path);
// Opens an address as a web page.
status_t show_url(const char* url);

// --- icons ---------------------------------------------------------------------------------

// The application's icon (its PNG resource "icon") at 32 x 32 and 16 x 16 pixels, in B_RGBA32
// bitmaps that the caller owns; either pointer may be null. B_BAD_VALUE, making nothing,
// while there is no application with a usable signature. Otherwise both bitmaps are made
// (transparent when there is no picture) and the result is the statuses of the two sizes
// or-ed together: a missing resource gives B_NAME_NOT_FOUND, a broken one B_BAD_DATA.
status_t get_icons(BBitmap** large, BBitmap** small);

// A B_CMAP8 copy of a true-colour icon, each pixel the nearest palette colour, in which every
// pixel of the colour found at byte transparentIndex becomes B_TRANSPARENT_MAGIC_CMAP8. The
// caller owns the result; null when the source is unusable.
BBitmap* create_icon8_from_icon24(const BBitmap* source, int32 transparentIndex);

// --- files ---------------------------------------------------------------------------------

// Copies a file with its attributes. A destination that is a folder receives a file of the
// source's name. The new contents replace an existing target only once they are complete, so
// a failed copy leaves the old target as it was. -1 when the source cannot be read, when the
// target is the source itself (a copy onto itself would lose it), when the contents cannot be
// written or when an attribute cannot be copied (the contents are in place then); 0 otherwise.
status_t copy_file(const char* source, const char* destination);

#endif
