// Drives windows as a user does, through the headless backend's input path: finds views by a
// name path, clicks their centres (checking that the window's hit test picks the view), types
// text and input-method pre-edits, and waits on a barrier (a message round trip to the window
// plus its presented frame) instead of sleeping. Needs a running TestApplication.
#ifndef TEST_DRIVER_H
#define TEST_DRIVER_H

#include <functional>
#include <string>

#include <GraphicsDefs.h>
#include <InterfaceDefs.h>
#include <Rect.h>
#include <View.h>

class BView;
class BWindow;

namespace BPrivate {
class HeadlessBackend;
}

namespace driver {

BPrivate::HeadlessBackend* Backend();

// The application's window with this title, or null.
BWindow* FindWindow(const char* title);
// "Title/Name/.../Name": the window with the title, then views by name, each found anywhere
// below the previous one. Null when any step is missing.
BView* FindView(const char* path);

// The centre of the view on the screen.
BPoint ScreenCentre(BView* view);
// Whether the window's hit test at the screen point picks this view.
bool HitTestPicks(BView* view, BPoint screenPoint);

// Pointer input in screen coordinates.
void MoveTo(BPoint screen);
void Press(BPoint screen, uint32 buttons = B_PRIMARY_MOUSE_BUTTON, uint32 modifiers = 0);
void Release(BPoint screen, uint32 buttons = B_PRIMARY_MOUSE_BUTTON, uint32 modifiers = 0);
void ClickAt(BPoint screen, uint32 buttons = B_PRIMARY_MOUSE_BUTTON, uint32 modifiers = 0);
// Clicks the view's centre `clicks` times in a row; false (and no click) when the hit test
// would pick another view there.
bool Click(BView* view, int32 clicks = 1, uint32 buttons = B_PRIMARY_MOUSE_BUTTON,
           uint32 modifiers = 0);

// Keys. Type sends one key per UTF-8 character; Key sends one key by its character (a
// letter, B_TAB, B_ENTER, B_ESCAPE, arrows, ...), with the platform's key code where there is
// one; Shortcut is Key with the letter and Command (Ctrl).
void Type(const std::string& text, uint32 modifiers = 0);
void Key(int32 rawChar, uint32 modifiers = 0);
void FunctionKey(int32 keyCode, uint32 modifiers = 0);
void Shortcut(char letter, uint32 modifiers = B_COMMAND_KEY);
int32 KeyCodeFor(int32 rawChar);

// The input method.
void Preedit(const std::string& text, int32 selectionStart, int32 selectionEnd);
void Commit(const std::string& text);

// The barrier: B_OK once the window dispatched everything sent before (and what it posted to
// itself meanwhile) and presented its frame.
status_t Sync(BWindow* window);
// Waits until the condition holds (checked every millisecond), at most `timeout` µs.
bool WaitFor(const std::function<bool()>& condition, bigtime_t timeout = 10000000);

// A pixel of the window as presented (window coordinates), and the whole frame.
rgb_color PixelAt(BWindow* window, int32 x, int32 y);

} // namespace driver

#endif
