// The costs of opening a long menu (the font menu may list hundreds of families): laying out
// its items the first time (every label measured) and again (widths kept), drawing what a
// screen-high window shows of it, and finding the item under the pointer.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include <Bitmap.h>
#include <Menu.h>
#include <MenuItem.h>

namespace {

// Reaches the hit test that the pointer uses.
class BenchMenu : public BMenu {
public:
	BenchMenu() : BMenu("Fonts") {}
	using BMenu::InvalidateLayout;
	using BMenu::ItemIndexAt;
};

std::unique_ptr<BenchMenu> make_menu(int64 count)
{
	auto menu = std::make_unique<BenchMenu>();
	for (int64 i = 0; i < count; i++) {
		char label[48];
		snprintf(label, sizeof(label), "Family Name %06lld (フォント)", (long long)i);
		menu->AddItem(new BMenuItem(label, nullptr));
	}
	return menu;
}

void BM_FirstLayout(benchmark::State& state)
{
	for (auto _ : state) {
		state.PauseTiming();
		std::unique_ptr<BenchMenu> menu = make_menu(state.range(0));
		state.ResumeTiming();
		float width, height;
		menu->GetPreferredSize(&width, &height);
		benchmark::DoNotOptimize(width);
	}
	state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FirstLayout)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LayoutAgain(benchmark::State& state)
{
	std::unique_ptr<BenchMenu> menu = make_menu(state.range(0));
	float width, height;
	menu->GetPreferredSize(&width, &height);
	for (auto _ : state) {
		menu->InvalidateLayout();
		menu->GetPreferredSize(&width, &height);
		benchmark::DoNotOptimize(height);
	}
}
BENCHMARK(BM_LayoutAgain)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// A window as high as a 1024-pixel screen shows about fifty items, however many there are.
void BM_DrawVisible(benchmark::State& state)
{
	std::unique_ptr<BenchMenu> menu = make_menu(state.range(0));
	float width, height;
	menu->GetPreferredSize(&width, &height);
	BBitmap canvas(BRect(0, 0, width, 1023), B_BITMAP_ACCEPTS_VIEWS, B_RGBA32);
	BenchMenu* view = menu.release();
	view->ResizeTo(width, 1023);
	canvas.AddChild(view);
	view->LockLooper();
	for (auto _ : state)
		view->Draw(view->Bounds());
	view->UnlockLooper();
}
BENCHMARK(BM_DrawVisible)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_HitTest(benchmark::State& state)
{
	std::unique_ptr<BenchMenu> menu = make_menu(state.range(0));
	float width, height;
	menu->GetPreferredSize(&width, &height);
	float y = 0;
	for (auto _ : state) {
		y += 97;
		if (y > height)
			y -= height;
		benchmark::DoNotOptimize(menu->ItemIndexAt(BPoint(10, y)));
	}
}
BENCHMARK(BM_HitTest)->Arg(100)->Arg(1000)->Arg(10000);

} // namespace

BENCHMARK_MAIN();
