// How fast a window answers: from a key injected through the headless backend to the frame
// that shows its effect, and a full redraw of a window as large as the main window with as many
// views as the editor has. Everything runs as in the program: the desktop posts the key, the
// window's thread dispatches it, redraws and presents.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <thread>

#include <Application.h>
#include <Autolock.h>
#include <Message.h>
#include <TextControl.h>
#include <TextView.h>
#include <View.h>
#include <Window.h>

#include <HeadlessBackend.h>

#include "BenchApplication.h"
#include "Desktop.h"
#include "WindowPrivate.h"

namespace {

const bigtime_t kTimeout = 5000000;

// Invalidates its whole area (600 x 100) on every key and fills it anew.
class KeyView : public BView {
public:
	KeyView(BRect frame) : BView(frame, "Key", B_FOLLOW_LEFT_TOP, B_WILL_DRAW | B_NAVIGABLE) {}
	void KeyDown(const char*, int32) override
	{
		fCount++;
		Invalidate();
	}
	void Draw(BRect) override
	{
		SetHighColor(fCount % 256, 80, 160);
		FillRect(Bounds());
	}

private:
	int32 fCount = 0;
};

// One of the many small views of a form: a face and a short label.
class LabelView : public BView {
public:
	LabelView(BRect frame, int32 index)
	    : BView(frame, "Label", B_FOLLOW_LEFT_TOP, B_WILL_DRAW), fText(std::to_string(index) + " 設定")
	{
		SetViewColor(236, 236, 236);
	}
	void Draw(BRect) override
	{
		SetHighColor(146, 146, 146);
		StrokeRect(Bounds());
		SetHighColor(0, 0, 0);
		SetDrawingMode(B_OP_OVER);
		DrawString(fText.c_str(), BPoint(4, 14));
		SetDrawingMode(B_OP_COPY);
	}

private:
	std::string fText;
};

BPrivate::HeadlessBackend* backend()
{
	return BPrivate::Desktop::Current()->Headless();
}

void BM_KeyToPresentedFrame(benchmark::State& state)
{
	BWindow* window = new BWindow(BRect(50, 50, 669, 449), "Keys", B_TITLED_WINDOW, 0);
	KeyView* view = new KeyView(BRect(10, 10, 609, 109));
	window->AddChild(view);
	window->Show();
	{
		BAutolock lock(window);
		view->MakeFocus(true);
	}
	BPrivate::WindowAccess::Sync(window);
	for (auto _ : state) {
		uint64 frames = backend()->PresentedFrames();
		backend()->InjectKeyDown(0x3c, 'a', "a", 0, false);
		if (!backend()->WaitForFrames(frames, kTimeout)) {
			state.SkipWithError("no frame");
			break;
		}
	}
	window->Lock();
	window->Quit();
}
BENCHMARK(BM_KeyToPresentedFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_FullRedrawOf60Views(benchmark::State& state)
{
	BWindow* window = new BWindow(BRect(50, 50, 669, 449), "Redraw", B_TITLED_WINDOW, 0);
	for (int32 i = 0; i < 60; i++) {
		float left = 10 + (i % 6) * 100;
		float top = 10 + (i / 6) * 38;
		window->AddChild(new LabelView(BRect(left, top, left + 89, top + 29), i));
	}
	window->Show();
	BPrivate::WindowAccess::Sync(window);
	BMessage redraw(BPrivate::kMsgUpdate);
	redraw.AddBool("_all", true);
	for (auto _ : state) {
		uint64 frames = backend()->PresentedFrames();
		window->PostMessage(&redraw);
		if (!backend()->WaitForFrames(frames, kTimeout)) {
			state.SkipWithError("no frame");
			break;
		}
	}
	window->Lock();
	window->Quit();
}
BENCHMARK(BM_FullRedrawOf60Views)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A key typed into a text control holding a typical sign text, to the frame that shows it:
// letters and backspaces in turn, so the text stays as long as a user's.
void BM_TypingIntoATextControl(benchmark::State& state)
{
	BWindow* window = new BWindow(BRect(50, 50, 669, 449), "Typing", B_TITLED_WINDOW, 0);
	BView* panel = new BView(window->Bounds(), "Panel", B_FOLLOW_ALL, B_WILL_DRAW);
	panel->SetViewColor(216, 216, 216);
	window->AddChild(panel);
	BTextControl* control = new BTextControl(BRect(10, 10, 400, 32), "Text", "テキスト：",
	                                         "東京 Tokyo 行先表示 12:34", nullptr);
	panel->AddChild(control);
	window->Show();
	{
		BAutolock lock(window);
		control->TextView()->MakeFocus(true);
		control->TextView()->Select(control->TextView()->TextLength(),
		                            control->TextView()->TextLength());
	}
	BPrivate::WindowAccess::Sync(window);
	bool letter = true;
	for (auto _ : state) {
		uint64 frames = backend()->PresentedFrames();
		if (letter)
			backend()->InjectKeyDown(0x3c, 'a', "a", 0, false);
		else
			backend()->InjectKeyDown(0x1e, B_BACKSPACE, "\b", 0, false);
		letter = !letter;
		if (!backend()->WaitForFrames(frames, kTimeout)) {
			state.SkipWithError("no frame");
			break;
		}
	}
	window->Lock();
	window->Quit();
}
BENCHMARK(BM_TypingIntoATextControl)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
	return run_benchmarks_in_application(argc, argv);
}
