// How fast the editor answers: from a key typed into one of its fields to the presented frame
// that shows the new picture. Typing into the sign text regenerates the picture (rasterising,
// sampling, drawing); typing into the lamp size field only redraws it. The editor runs as in the
// program, in a dialog window under the room of a menu bar, on the headless display.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>

#include <Application.h>
#include <Autolock.h>
#include <MessageFilter.h>
#include <TextControl.h>
#include <TextView.h>

#include <HeadlessBackend.h>
#include <TDialogWindow.h>
#include <TGlowplateView.h>
#include <ViewTreeArchive.h>

#include "BenchApplication.h"
#include "Desktop.h"
#include "WindowPrivate.h"

namespace {

const bigtime_t kTimeout = 5000000;
// Twenty characters, Japanese and Latin, as a destination board shows them.
const char kSignText[] = "各駅停車 Tokyo 東京行き 快速急行";

BPrivate::HeadlessBackend* backend()
{
	return BPrivate::Desktop::Current()->Headless();
}

// Notes the number of frames presented when a field's change reaches the editor: the window
// presents the new picture in the first frame after that message.
class ChangeFilter : public BMessageFilter {
public:
	explicit ChangeFilter(uint32 what) : BMessageFilter(what) {}
	filter_result Filter(BMessage*, BHandler**) override
	{
		framesBefore = backend()->PresentedFrames();
		changes++;
		return B_DISPATCH_MESSAGE;
	}
	std::atomic<uint64> framesBefore{0};
	std::atomic<int64> changes{0};
};

// The editor in its window, the given field focused with the caret at the end of its text.
class EditorWindow {
public:
	EditorWindow(const char* field, uint32 change) : fFilter(new ChangeFilter(change))
	{
		BMessage archive = build_glowplate_view_archive();
		fWindow = new TDialogWindow(BRect(40, 40, 660, 560), "Editor", B_TITLED_WINDOW,
		                            B_ASYNCHRONOUS_CONTROLS);
		fEditor = new TGlowplateView(&archive);
		BAutolock lock(fWindow);
		fWindow->AddChild(fEditor);
		fEditor->MoveTo(0, 20);
		fEditor->SetResizingMode(B_FOLLOW_NONE);
		fWindow->ResizeTo(fEditor->Frame().right, fEditor->Frame().bottom);
		fEditor->SetResizingMode(B_FOLLOW_ALL);
		fWindow->AddCommonFilter(fFilter);
		static_cast<BTextControl*>(fWindow->FindView("TxtCtrlDisplayText"))->SetText(kSignText);
		fField = static_cast<BTextControl*>(fWindow->FindView(field));
	}
	~EditorWindow()
	{
		fWindow->Lock();
		fWindow->Quit();
	}

	bool Show()
	{
		fWindow->Show();
		{
			BAutolock lock(fWindow);
			fField->TextView()->MakeFocus(true);
			const int32 end = fField->TextView()->TextLength();
			fField->TextView()->Select(end, end);
		}
		return BPrivate::WindowAccess::Sync(fWindow) == B_OK;
	}

	void SelectAll()
	{
		BAutolock lock(fWindow);
		fField->TextView()->SelectAll();
	}

	// Types the key and waits for the frame that shows what the field's change did.
	bool Type(int32 key, char rawChar)
	{
		const int64 changes = fFilter->changes;
		backend()->InjectKey(key, rawChar, std::string(1, rawChar), 0);
		const bigtime_t deadline = system_time() + kTimeout;
		while (fFilter->changes == changes) {
			if (system_time() > deadline)
				return false;
			std::this_thread::yield();
		}
		return backend()->WaitForFrames(fFilter->framesBefore, kTimeout);
	}

	bool Sync() { return BPrivate::WindowAccess::Sync(fWindow) == B_OK; }

private:
	ChangeFilter* fFilter;
	TDialogWindow* fWindow;
	TGlowplateView* fEditor;
	BTextControl* fField;
};

// The editors live from their first repetition to the end of the program, so that every
// repetition times keystrokes into the same, settled window.
EditorWindow* gTextEditor = nullptr;
EditorWindow* gSizeEditor = nullptr;

EditorWindow* editor_for(EditorWindow** editor, const char* field, uint32 change)
{
	if (*editor == nullptr) {
		*editor = new EditorWindow(field, change);
		if (!(*editor)->Show())
			return nullptr;
	}
	return *editor;
}

// The share of values at or below the result, for the per-keystroke distribution: each
// repetition is one keystroke.
double percentile(const std::vector<double>& values, double share)
{
	std::vector<double> sorted(values);
	std::sort(sorted.begin(), sorted.end());
	return sorted[(size_t)((double)(sorted.size() - 1) * share)];
}

// Every repetition times one keystroke, so that the aggregates are those of single
// keystrokes: their median and their 99th percentile among them.
void per_keystroke(benchmark::internal::Benchmark* bench)
{
	bench->Unit(benchmark::kMicrosecond)
	    ->UseRealTime()
	    ->Iterations(1)
	    ->Repetitions(400)
	    ->ReportAggregatesOnly(true)
	    ->ComputeStatistics("p99",
	                        [](const std::vector<double>& v) { return percentile(v, 0.99); });
}

// One character typed at the end of the sign text, then taken back outside the timing.
void BM_TypeIntoTheSignText(benchmark::State& state)
{
	EditorWindow* editor =
	    editor_for(&gTextEditor, "TxtCtrlDisplayText", MSG_TXT_CTRL_DISPLAY_TEXT_CHANGED);
	if (editor == nullptr) {
		state.SkipWithError("the editor did not show");
		return;
	}
	for (auto _ : state) {
		if (!editor->Type(0x3c, 'a')) {
			state.SkipWithError("no frame");
			break;
		}
		state.PauseTiming();
		const bool back = editor->Type(0x1e, B_BACKSPACE) && editor->Sync();
		state.ResumeTiming();
		if (!back) {
			state.SkipWithError("no frame");
			break;
		}
	}
}
BENCHMARK(BM_TypeIntoTheSignText)->Apply(per_keystroke);

// The lamp size typed over the field's text, between 2 and 3: the picture is redrawn at the
// new size without being sampled again.
void BM_TypeALampSize(benchmark::State& state)
{
	EditorWindow* editor =
	    editor_for(&gSizeEditor, "TxtCtrlLEDSize", MSG_TXT_CTRL_LED_SIZE_CHANGED);
	if (editor == nullptr) {
		state.SkipWithError("the editor did not show");
		return;
	}
	static bool three = true;
	for (auto _ : state) {
		state.PauseTiming();
		editor->SelectAll();
		const bool selected = editor->Sync();
		state.ResumeTiming();
		if (!selected || !editor->Type(three ? 0x14 : 0x13, three ? '3' : '2')) {
			state.SkipWithError("no frame");
			break;
		}
		three = !three;
	}
}
BENCHMARK(BM_TypeALampSize)->Apply(per_keystroke);

} // namespace

int main(int argc, char** argv)
{
	return run_benchmarks_in_application(argc, argv, [] {
		delete gTextEditor;
		delete gSizeEditor;
	});
}
