// Speed of long lists: filling a list view with rows one by one (which must cost the same
// per row however long the list already is), and drawing a screenful of a long list into a
// bitmap (which must touch only the rows it shows).
#include <benchmark/benchmark.h>

#include <string>

#include <Bitmap.h>
#include <ListView.h>

namespace {

void add_rows(benchmark::State& state)
{
	const int32 count = (int32)state.range(0);
	for (auto _ : state) {
		BListView list(BRect(0, 0, 199, 299), "List");
		for (int32 i = 0; i < count; i++)
			list.AddItem(new BStringItem(("Candidate " + std::to_string(i)).c_str()));
		benchmark::DoNotOptimize(list.CountItems());
	}
	state.SetItemsProcessed(state.iterations() * count);
}

void draw_screenful(benchmark::State& state)
{
	const int32 count = (int32)state.range(0);
	BBitmap bitmap(BRect(0, 0, 199, 299), B_RGBA32, true);
	BListView* list = new BListView(BRect(0, 0, 199, 299), "List");
	for (int32 i = 0; i < count; i++)
		list->AddItem(new BStringItem(("Candidate " + std::to_string(i)).c_str()));
	bitmap.Lock();
	bitmap.AddChild(list);
	// The middle of the list, where a search from either end would be slowest.
	list->ScrollTo(0, list->ItemFrame(count / 2).top);
	for (auto _ : state) {
		list->Draw(list->Bounds());
		list->Sync();
	}
	bitmap.Unlock();
}

} // namespace

BENCHMARK(add_rows)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(draw_screenful)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
