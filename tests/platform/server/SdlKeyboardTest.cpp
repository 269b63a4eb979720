// Keys, text and the input method through the SDL backend: the pitfalls of SDL 2.26 that the
// backend must settle, with events queued as the X11 driver queues them.
#include <cstring>

#include <InterfaceDefs.h>

#include "SdlTestSupport.h"

namespace sdltest {
namespace {

class SdlKeyboardTest : public SdlBackendTest {
protected:
	// A pre-edit as SDL reports it: offsets in characters, and a text that does not fit
	// SDL_TEXTEDITING in the extended event, whose text the receiver frees.
	SDL_Event Edit(const char* text, Sint32 start, Sint32 length)
	{
		SDL_Event event = {};
		if (strlen(text) < sizeof(event.edit.text)) {
			event.type = SDL_TEXTEDITING;
			event.edit.windowID = sdlWindow;
			SDL_strlcpy(event.edit.text, text, sizeof(event.edit.text));
			event.edit.start = start;
			event.edit.length = length;
		} else {
			event.type = SDL_TEXTEDITING_EXT;
			event.editExt.windowID = sdlWindow;
			event.editExt.text = SDL_strdup(text);
			event.editExt.start = start;
			event.editExt.length = length;
		}
		return event;
	}
};

// SDL sends no text for these keys; what they type is built from the key.
TEST_F(SdlKeyboardTest, KeysThatTypeNothingGetTheirBytesFromTheKey)
{
	StartText();
	struct Case {
		SDL_Scancode scancode;
		SDL_Keycode key;
		int32 code;
		int32 rawChar;
	};
	const Case cases[] = {
	    {SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, 0x1e, B_BACKSPACE},
	    {SDL_SCANCODE_RETURN, SDLK_RETURN, 0x47, B_RETURN},
	    {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, 0x5b, B_ENTER},
	    {SDL_SCANCODE_TAB, SDLK_TAB, 0x26, B_TAB},
	    {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, 0x01, B_ESCAPE},
	    {SDL_SCANCODE_LEFT, SDLK_LEFT, 0x61, B_LEFT_ARROW},
	    {SDL_SCANCODE_UP, SDLK_UP, 0x57, B_UP_ARROW},
	    {SDL_SCANCODE_DELETE, SDLK_DELETE, 0x34, B_DELETE},
	    {SDL_SCANCODE_HOME, SDLK_HOME, 0x20, B_HOME},
	    {SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN, 0x36, B_PAGE_DOWN},
	    {SDL_SCANCODE_F1, SDLK_F1, B_F1_KEY, B_FUNCTION_KEY},
	    {SDL_SCANCODE_F12, SDLK_F12, B_F12_KEY, B_FUNCTION_KEY},
	};
	for (const Case& c : cases)
		Push({Key(true, c.scancode, c.key)});
	std::vector<InputEvent> downs = of_type(Translated(), InputEvent::KeyDown);
	ASSERT_EQ(downs.size(), std::size(cases));
	for (size_t i = 0; i < downs.size(); i++) {
		SCOPED_TRACE(i);
		EXPECT_EQ(downs[i].window, window);
		EXPECT_EQ(downs[i].key, cases[i].code);
		EXPECT_EQ(downs[i].rawChar, cases[i].rawChar);
		EXPECT_EQ(downs[i].bytes, std::string(1, (char)cases[i].rawChar));
	}
}

TEST_F(SdlKeyboardTest, TheTextOfAKeyPressIsMergedIntoItOnce)
{
	StartText();
	Push({Key(true, SDL_SCANCODE_A, SDLK_a), Text("a")});
	Push({Key(true, SDL_SCANCODE_A, SDLK_a, KMOD_LSHIFT), Text("A")});
	// A dead key and its letter, or an input method, may give several characters at once.
	Push({Key(true, SDL_SCANCODE_E, SDLK_e), Text("e\xcc\x81")});
	// A press whose text never comes is still reported, with its own character.
	Push({Key(true, SDL_SCANCODE_B, SDLK_b)});
	Push({Key(false, SDL_SCANCODE_B, SDLK_b)});
	std::vector<InputEvent> events = Translated();
	EXPECT_TRUE(of_type(events, InputEvent::TextCommitted).empty());
	std::vector<InputEvent> downs = of_type(events, InputEvent::KeyDown);
	ASSERT_EQ(downs.size(), 5u);
	EXPECT_EQ(downs[0].bytes, "a");
	EXPECT_EQ(downs[0].key, 0x3c);
	EXPECT_EQ(downs[0].rawChar, 'a');
	EXPECT_EQ(downs[1].bytes, "A");
	EXPECT_EQ(downs[1].rawChar, 'a');
	EXPECT_EQ(downs[1].modifiers, (uint32)(B_SHIFT_KEY | B_LEFT_SHIFT_KEY));
	EXPECT_EQ(downs[2].bytes, "e");
	EXPECT_EQ(downs[3].bytes, "\xcc\x81");
	EXPECT_EQ(downs[3].key, 0x29);
	EXPECT_EQ(downs[4].bytes, "b");
	std::vector<InputEvent> ups = of_type(events, InputEvent::KeyUp);
	ASSERT_EQ(ups.size(), 1u);
	EXPECT_EQ(ups[0].bytes, "b");
}

// X11 sends text with Ctrl or Alt held; typed, Ctrl+Q would put a "q" into the text.
TEST_F(SdlKeyboardTest, TextIsDroppedWhileCtrlOrAltIsHeld)
{
	StartText();
	Push({Key(true, SDL_SCANCODE_Q, SDLK_q, KMOD_LCTRL), Text("q")});
	Push({Key(true, SDL_SCANCODE_S, SDLK_s, KMOD_LALT), Text("s")});
	Push({Key(true, SDL_SCANCODE_Z, SDLK_z, KMOD_RCTRL | KMOD_LSHIFT), Text("Z")});
	Push({Key(true, SDL_SCANCODE_1, SDLK_1, KMOD_LCTRL | KMOD_RSHIFT), Text("!")});
	std::vector<InputEvent> events = Translated();
	EXPECT_TRUE(of_type(events, InputEvent::TextCommitted).empty());
	std::vector<InputEvent> downs = of_type(events, InputEvent::KeyDown);
	ASSERT_EQ(downs.size(), 4u);
	EXPECT_EQ(downs[0].bytes, "q");
	EXPECT_EQ(downs[0].modifiers, (uint32)(B_COMMAND_KEY | B_LEFT_COMMAND_KEY));
	EXPECT_EQ(downs[1].bytes, "s");
	EXPECT_EQ(downs[1].modifiers, (uint32)(B_CONTROL_KEY | B_LEFT_CONTROL_KEY));
	// With Shift the unmodified character is shifted, since no text tells what it types.
	EXPECT_EQ(downs[2].bytes, "Z");
	EXPECT_EQ(downs[2].rawChar, 'z');
	EXPECT_EQ(downs[3].bytes, "!");
	EXPECT_EQ(downs[3].rawChar, '1');
}

// The right Alt key is AltGr on many layouts: what it types there is text, not a shortcut.
TEST_F(SdlKeyboardTest, AltGrTypesTheLayoutsCharacterWhileRightAltAloneIsAShortcut)
{
	StartText();
	Push({Key(true, SDL_SCANCODE_Q, SDLK_q, KMOD_RALT), Text("@")});
	Push({Key(true, SDL_SCANCODE_S, SDLK_s, KMOD_RALT), Text("s")});
	std::vector<InputEvent> downs = of_type(Translated(), InputEvent::KeyDown);
	ASSERT_EQ(downs.size(), 2u);
	EXPECT_EQ(downs[0].bytes, "@");
	EXPECT_EQ(downs[0].modifiers & B_CONTROL_KEY, 0u);
	EXPECT_EQ(downs[1].bytes, "s");
	EXPECT_EQ(downs[1].modifiers, (uint32)(B_CONTROL_KEY | B_RIGHT_CONTROL_KEY));
}

TEST_F(SdlKeyboardTest, WithTextInputOffKeysTypeTheirOwnCharacter)
{
	Sync([] { EXPECT_FALSE(SDL_IsTextInputActive()); });
	Push({Key(true, SDL_SCANCODE_A, SDLK_a)});
	Push({Key(true, SDL_SCANCODE_1, SDLK_1, KMOD_LSHIFT)});
	// The keypad follows Num Lock.
	Push({Key(true, SDL_SCANCODE_KP_7, SDLK_KP_7, KMOD_NUM)});
	Push({Key(true, SDL_SCANCODE_KP_7, SDLK_KP_7)});
	Push({Key(true, SDL_SCANCODE_A, SDLK_a, 0, true)});
	std::vector<InputEvent> downs = of_type(Translated(), InputEvent::KeyDown);
	ASSERT_EQ(downs.size(), 5u);
	EXPECT_EQ(downs[0].bytes, "a");
	EXPECT_FALSE(downs[0].repeat);
	EXPECT_EQ(downs[1].bytes, "!");
	EXPECT_EQ(downs[2].bytes, "7");
	EXPECT_EQ(downs[2].key, 0x37);
	EXPECT_EQ(downs[3].bytes, std::string(1, (char)B_HOME));
	EXPECT_TRUE(downs[4].repeat);
}

TEST_F(SdlKeyboardTest, TextInputIsOnOnlyWhileAWindowAsksForIt)
{
	StartText();
	Sync([] { EXPECT_TRUE(SDL_IsTextInputActive()); });
	// A late stop from another window leaves this window's input alone.
	backend.StopTextInput(window + 100);
	Sync([] { EXPECT_TRUE(SDL_IsTextInputActive()); });
	backend.StopTextInput(window);
	Sync([] { EXPECT_FALSE(SDL_IsTextInputActive()); });
}

TEST_F(SdlKeyboardTest, ModifiersComeFromTheEventsAndChangesAreReported)
{
	Push({Key(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT)});
	Push({Key(true, SDL_SCANCODE_A, SDLK_a, KMOD_LSHIFT | KMOD_RGUI | KMOD_CAPS | KMOD_NUM)});
	Push({Key(false, SDL_SCANCODE_A, SDLK_a, KMOD_LSHIFT | KMOD_RGUI | KMOD_CAPS | KMOD_NUM)});
	std::vector<InputEvent> events = Translated();
	std::vector<InputEvent> changes = of_type(events, InputEvent::ModifiersChanged);
	ASSERT_EQ(changes.size(), 2u);
	EXPECT_EQ(changes[0].modifiers, (uint32)(B_SHIFT_KEY | B_LEFT_SHIFT_KEY));
	EXPECT_EQ(changes[0].key, 0x4b);
	const uint32 all = B_SHIFT_KEY | B_LEFT_SHIFT_KEY | B_OPTION_KEY | B_RIGHT_OPTION_KEY |
	                   B_CAPS_LOCK | B_NUM_LOCK;
	EXPECT_EQ(changes[1].modifiers, all);
	// The modifier key itself types nothing.
	std::vector<InputEvent> downs = of_type(events, InputEvent::KeyDown);
	ASSERT_EQ(downs.size(), 2u);
	EXPECT_EQ(downs[0].key, 0x4b);
	EXPECT_TRUE(downs[0].bytes.empty());
	EXPECT_EQ(downs[0].rawChar, 0);
	EXPECT_EQ(downs[1].modifiers, all);
	EXPECT_EQ(backend.Modifiers(), all);
}

TEST_F(SdlKeyboardTest, PreeditOffsetsAreBytesAndLongPreeditsArriveWhole)
{
	StartText();
	// Thirteen Japanese characters are 39 bytes, more than SDL_TEXTEDITING holds.
	const char* longText = "にほんごのにゅうりょくです";
	SDL_Event extended = Edit(longText, 2, 3);
	ASSERT_EQ(extended.type, SDL_TEXTEDITING_EXT);
	Push({extended});
	// A key press the input method took into its pre-edit types nothing itself.
	Push({Key(true, SDL_SCANCODE_A, SDLK_a), Edit("かな", 1, 1)});
	Push({Text("仮名")});
	Push({Edit("", 0, 0)});
	std::vector<InputEvent> events = Translated();
	EXPECT_TRUE(of_type(events, InputEvent::KeyDown).empty());
	std::vector<InputEvent> preedits = of_type(events, InputEvent::PreeditChanged);
	ASSERT_EQ(preedits.size(), 3u);
	EXPECT_EQ(preedits[0].text, longText);
	EXPECT_EQ(preedits[0].selectionStart, 6);
	EXPECT_EQ(preedits[0].selectionEnd, 15);
	EXPECT_EQ(preedits[1].text, "かな");
	EXPECT_EQ(preedits[1].selectionStart, 3);
	EXPECT_EQ(preedits[1].selectionEnd, 6);
	EXPECT_TRUE(preedits[2].text.empty());
	std::vector<InputEvent> commits = of_type(events, InputEvent::TextCommitted);
	ASSERT_EQ(commits.size(), 1u);
	EXPECT_EQ(commits[0].text, "仮名");
	EXPECT_EQ(commits[0].window, window);
}

TEST_F(SdlKeyboardTest, TextWithoutAKeyPressIsCommitted)
{
	StartText();
	Push({Text("漢字")});
	// Offsets past the end of the pre-edit stop at its end, however large.
	Push({Edit("あ", 5, 9)});
	Push({Edit("あ", INT32_MAX, INT32_MAX)});
	std::vector<InputEvent> events = Translated();
	std::vector<InputEvent> commits = of_type(events, InputEvent::TextCommitted);
	ASSERT_EQ(commits.size(), 1u);
	EXPECT_EQ(commits[0].text, "漢字");
	std::vector<InputEvent> preedits = of_type(events, InputEvent::PreeditChanged);
	ASSERT_EQ(preedits.size(), 2u);
	for (const InputEvent& preedit : preedits) {
		EXPECT_EQ(preedit.selectionStart, 3);
		EXPECT_EQ(preedit.selectionEnd, 3);
	}
}

} // namespace
} // namespace sdltest
