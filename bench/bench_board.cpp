// Speed of the animated export: a scroll of 300 frames through a board of 64 lamp columns and
// 24 rows, encoded to GIF and to WebP in memory, with plain square lamps and with round,
// smoothed, glowing ones.
#include <benchmark/benchmark.h>

#include <DataIO.h>

#include <TBoard.h>
#include <TBoardAnimation.h>
#include <TBoardExport.h>
#include <TBoardProperty.h>
#include <TDisplayView.h>
#include <TGifWriter.h>
#include <TWebPWriter.h>

namespace {

constexpr int32 kBoardColumns = 64;
constexpr int32 kFrames = 300;

// A view with twelve Japanese characters and a scroll whose speed makes exactly 300 frames.
struct Scroll {
	TDisplayView view;
	TBoardProperty board;
	int64 frames = 0;

	explicit Scroll(bool fancy) : view(BRect(0, 0, 1, 1), nullptr)
	{
		view.SetText("各駅停車東京行快速急行新宿");
		board.mBoardWidth = kBoardColumns;
		board.mMotion = TBoardProperty::kScroll;
		board.mHoldStart = board.mHoldEnd = 0;
		board.mFramesPerSecond = 25;
		const double distance = kBoardColumns + view.TextColumns();
		board.mSpeed = (float)(25.0 * distance / (kFrames - 1));
		if (fancy) {
			board.mLook.mShape = TLampLook::kRound;
			board.mLook.mAntialias = true;
			board.mLook.mGlowRadius = 3;
		}
		TBoard layout(view.Lamps(), view.MatrixMargins(), view.TextColumns(), kBoardColumns);
		std::vector<TAnimationFrame> planned;
		TBoardAnimation::Plan(board, layout, &planned);
		frames = (int64)planned.size();
	}
};

template <class Writer>
void encode(benchmark::State& state)
{
	Scroll scroll(state.range(0) != 0);
	size_t bytes = 0;
	for (auto _ : state) {
		BMallocIO output;
		Writer writer;
		if (TBoardExport::Encode(scroll.view, scroll.board, &writer, &output) != B_OK) {
			state.SkipWithError("the export failed");
			break;
		}
		bytes = output.BufferLength();
	}
	state.counters["frames"] = (double)scroll.frames;
	state.counters["KiB"] = bytes / 1024.0;
}

void BM_ScrollToGif(benchmark::State& state)
{
	encode<TGifWriter>(state);
}
BENCHMARK(BM_ScrollToGif)->ArgName("fancy")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ScrollToWebP(benchmark::State& state)
{
	encode<TWebPWriter>(state);
}
BENCHMARK(BM_ScrollToWebP)->ArgName("fancy")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
