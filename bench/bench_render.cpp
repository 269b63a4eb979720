// Speed and memory of the LED picture at the record's defaults: regenerating the picture from
// texts of growing length, drawing it, saving it, and the peak memory of a process that
// renders a long text.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include <Bitmap.h>
#include <Entry.h>
#include <View.h>

#include <TDisplayView.h>
#include <TProperty.h>

namespace {

// Repeats a phrase to the given number of characters (code points).
std::string make_text(const char* const* words, int count, int characters)
{
	std::string text;
	int made = 0;
	for (int i = 0; made < characters; i = (i + 1) % count) {
		for (const char* p = words[i]; *p != '\0' && made < characters;) {
			int length = 1;
			const unsigned char lead = (unsigned char)*p;
			if (lead >= 0xF0)
				length = 4;
			else if (lead >= 0xE0)
				length = 3;
			else if (lead >= 0xC0)
				length = 2;
			text.append(p, length);
			p += length;
			made++;
		}
	}
	return text;
}

const char* const kJapanese[] = {"各駅停車", "快速", "新宿方面", "東京行", "急行", "準特急"};
const char* const kLatin[] = {"Local ", "Rapid ", "for Shinjuku ", "Express ", "Terminal "};

std::string japanese(int characters)
{
	return make_text(kJapanese, 6, characters);
}

std::string latin(int characters)
{
	return make_text(kLatin, 5, characters);
}

void regenerate(benchmark::State& state, const std::string& text)
{
	TDisplayView view(BRect(0, 0, 1, 1), nullptr);
	// The first regeneration fills the glyph cache, as the first keystroke would.
	view.SetText(text.c_str());
	for (auto _ : state) {
		status_t status = view.SetText(text.c_str());
		benchmark::DoNotOptimize(status);
	}
	state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The text lengths of the regeneration benchmarks, in characters.
void text_lengths(benchmark::internal::Benchmark* family)
{
	for (int characters : {1, 4, 20, 100, 1000})
		family->Arg(characters);
	family->Unit(benchmark::kMicrosecond);
}

void BM_RegenerateJapanese(benchmark::State& state)
{
	regenerate(state, japanese((int)state.range(0)));
}
BENCHMARK(BM_RegenerateJapanese)->Apply(text_lengths);

void BM_RegenerateLatin(benchmark::State& state)
{
	regenerate(state, latin((int)state.range(0)));
}
BENCHMARK(BM_RegenerateLatin)->Apply(text_lengths);

// Draws the picture of the text into a bitmap of its size, again and again.
void draw(benchmark::State& state, const std::string& text)
{
	TDisplayView view(BRect(0, 0, 1, 1), nullptr);
	view.SetText(text.c_str());
	float width, height;
	view.GetPreferredSize(&width, &height);
	BBitmap canvas(BRect(0, 0, width, height), B_BITMAP_ACCEPTS_VIEWS, B_RGBA32);
	BView* target = new BView(canvas.Bounds(), "Canvas", B_FOLLOW_NONE, 0);
	canvas.AddChild(target);
	target->LockLooper();
	for (auto _ : state) {
		view.DrawToView(target);
		target->Sync();
	}
	target->UnlockLooper();
	state.counters["lamps"] = (double)((width + 1) / 3) * ((height + 1) / 3);
}

void BM_DrawToView(benchmark::State& state)
{
	draw(state, japanese((int)state.range(0)));
}
BENCHMARK(BM_DrawToView)->Arg(20)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A station board's line of twenty characters, mixed Japanese and Latin, at the defaults.
void BM_DrawStationText(benchmark::State& state)
{
	draw(state, "各駅停車 Tokyo 東京行き 快速急行");
}
BENCHMARK(BM_DrawStationText)->Unit(benchmark::kMicrosecond);

void BM_Save(benchmark::State& state)
{
	char folder[] = "/tmp/glowplate-bench-XXXXXX";
	if (mkdtemp(folder) == nullptr) {
		state.SkipWithError("no temporary folder");
		return;
	}
	const std::string path = std::string(folder) + "/sign.png";
	entry_ref ref;
	get_ref_for_path(path.c_str(), &ref);
	TDisplayView view(BRect(0, 0, 1, 1), nullptr);
	view.SetText(japanese((int)state.range(0)).c_str());
	for (auto _ : state) {
		if (view.Save(ref) != B_OK) {
			state.SkipWithError("save failed");
			break;
		}
	}
	unlink(path.c_str());
	rmdir(folder);
}
BENCHMARK(BM_Save)->Arg(20)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The high-water mark of this process's resident size, in KiB.
long resident_peak_kib()
{
	FILE* status = fopen("/proc/self/status", "r");
	if (status == nullptr)
		return -1;
	char line[256];
	long peak = -1;
	while (fgets(line, sizeof(line), status) != nullptr) {
		if (strncmp(line, "VmHWM:", 6) == 0)
			peak = strtol(line + 6, nullptr, 10);
	}
	fclose(status);
	return peak;
}

const char kMeasureOption[] = "--measure-peak=";

// Run as a fresh program (see main): makes a display view, regenerates it once from a text
// of the given length and prints the resident peak before and after, in KiB.
int measure_peak(int characters)
{
	const std::string text = japanese(characters);
	TDisplayView view(BRect(0, 0, 1, 1), nullptr);
	const long before = resident_peak_kib();
	const status_t status = view.SetText(text.c_str());
	printf("%ld %ld\n", before, resident_peak_kib());
	return status == B_OK ? 0 : 1;
}

// The peak memory of regenerating a long text, measured in a new process of this program,
// so that nothing the other benchmarks left in this one counts.
void BM_PeakMemory(benchmark::State& state)
{
	char self[4096];
	const ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
	if (length <= 0) {
		state.SkipWithError("cannot find this program");
		return;
	}
	self[length] = '\0';
	const std::string command =
	    std::string("'") + self + "' " + kMeasureOption + std::to_string(state.range(0));
	long before = -1, after = -1;
	for (auto _ : state) {
		FILE* child = popen(command.c_str(), "r");
		// The child is waited for whatever it printed, so that none is left behind.
		const bool read = child != nullptr && fscanf(child, "%ld %ld", &before, &after) == 2;
		const bool exited = child != nullptr && pclose(child) == 0;
		if (!read || !exited)
			before = after = -1;
	}
	if (before < 0 || after < 0) {
		state.SkipWithError("the measuring process failed");
		return;
	}
	state.counters["peak_MiB"] = after / 1024.0;
	state.counters["growth_MiB"] = (after - before) / 1024.0;
}
BENCHMARK(BM_PeakMemory)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
	if (argc == 2 && strncmp(argv[1], kMeasureOption, strlen(kMeasureOption)) == 0)
		return measure_peak(atoi(argv[1] + strlen(kMeasureOption)));
	benchmark::Initialize(&argc, argv);
	if (benchmark::ReportUnrecognizedArguments(argc, argv))
		return 1;
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}
