// A program with one window at a known place whose view draws a known picture and tells on
// standard output what input reaches it, for the end-to-end test of the display backend:
//   "ready" once the first frame was handed to the display,
//   "down X Y" and "up X Y" for presses (view coordinates), "key BYTES" for typed keys,
//   and it quits, as every program does, on Ctrl+Q.
#include <cstdio>

#include <Application.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include "WindowPrivate.h"

namespace {

class ProbeView : public BView {
public:
	ProbeView() : BView(BRect(0, 0, 199, 99), "Probe", B_FOLLOW_ALL, B_WILL_DRAW | B_NAVIGABLE)
	{
		SetViewColor(255, 255, 255);
	}
	void Draw(BRect) override
	{
		// A red square at (10, 10)-(49, 49) and a blue one at (60, 10)-(99, 49).
		SetHighColor(255, 0, 0);
		FillRect(BRect(10, 10, 49, 49));
		SetHighColor(0, 0, 255);
		FillRect(BRect(60, 10, 99, 49));
	}
	void MouseDown(BPoint where) override { _Say("down", where); }
	void MouseUp(BPoint where) override { _Say("up", where); }
	void KeyDown(const char* bytes, int32 numBytes) override
	{
		printf("key %.*s\n", (int)numBytes, bytes);
		fflush(stdout);
		BView::KeyDown(bytes, numBytes);
	}

private:
	void _Say(const char* what, BPoint where)
	{
		printf("%s %d %d\n", what, (int)where.x, (int)where.y);
		fflush(stdout);
	}
};

class ProbeApp : public BApplication {
public:
	ProbeApp() : BApplication("application/x-vnd.Glowplate-WindowProbe")
	{
		fWindow = new BWindow(BRect(100, 100, 299, 199), "Probe", B_TITLED_WINDOW, 0);
		ProbeView* view = new ProbeView;
		fWindow->AddChild(view);
		view->MakeFocus(true);
		fWindow->Show();
	}
	void ReadyToRun() override
	{
		if (BPrivate::WindowAccess::Sync(fWindow) == B_OK) {
			printf("ready\n");
			fflush(stdout);
		}
	}

private:
	BWindow* fWindow;
};

} // namespace

int main()
{
	ProbeApp app;
	app.Run();
	return 0;
}
