// The whole program: how long from starting it to the first presented frame that shows the
// stored text's picture, and how much memory it holds after the start and while the user
// types. Each measurement starts the program afresh (this executable again, in the role of
// the program, on the headless display, with a settings folder of its own), so that process
// start, static records, fonts, the window and the first picture are all counted.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>
#include <unistd.h>

#include <Autolock.h>
#include <TextControl.h>
#include <TextView.h>

#include <AppLifecycle.h>
#include <HeadlessBackend.h>
#include <TDisplayView.h>
#include <TGlowplateApp.h>
#include <TGlowplateView.h>
#include <TGlowplateWindow.h>

#include "Desktop.h"
#include "WindowPrivate.h"

extern char** environ;

namespace {

const char kChildFlag[] = "--as-program";
const bigtime_t kTimeout = 10000000;

// ---- the program's side ---------------------------------------------------------------------

long resident_kib()
{
	std::ifstream status("/proc/self/status");
	std::string line;
	while (std::getline(status, line)) {
		if (line.rfind("VmRSS:", 0) == 0)
			return std::strtol(line.c_str() + 6, nullptr, 10);
	}
	return -1;
}

bool wait_until(const std::function<bool()>& condition)
{
	bigtime_t deadline = system_time() + kTimeout;
	while (!condition()) {
		if (system_time() > deadline)
			return false;
		snooze(200);
	}
	return true;
}

// One letter typed at the end of the text or taken away again, up to its presented frame.
bool edit(BPrivate::HeadlessBackend* backend, bool letter)
{
	uint64 frames = backend->PresentedFrames();
	if (letter)
		backend->InjectKey(0x3c, 'a', "a");
	else
		backend->InjectKey(0x1e, B_BACKSPACE, "\b");
	return backend->WaitForFrames(frames, kTimeout);
}

// Reports on the pipe: "ready <KiB>" once the first picture is shown, and with `edits`
// "edited <KiB after 100> <KiB after all>".
void watch(TGlowplateApp* app, int report, int edits)
{
	TGlowplateWindow* window = nullptr;
	if (!wait_until([&] { return (window = app->MainWindow()) != nullptr; }))
		_exit(3);
	TDisplayView* display = window->EditorView()->DisplayView();
	// The one space the display shows before the text arrives is a few lamps wide.
	if (!wait_until([&] {
		    BAutolock lock(window);
		    return display->Bounds().Width() > 100;
	    }) ||
	    BPrivate::WindowAccess::Sync(window) != B_OK) {
		_exit(4);
	}
	dprintf(report, "ready %ld\n", resident_kib());
	if (edits > 0) {
		{
			BAutolock lock(window);
			BTextView* text =
			    static_cast<BTextControl*>(window->FindView("TxtCtrlDisplayText"))->TextView();
			text->MakeFocus(true);
			text->Select(text->TextLength(), text->TextLength());
		}
		BPrivate::HeadlessBackend* backend = BPrivate::Desktop::Current()->Headless();
		long early = 0;
		for (int i = 0; i < edits; i++) {
			if (!edit(backend, i % 2 == 0))
				_exit(5);
			if (i + 1 == 100)
				early = resident_kib();
		}
		dprintf(report, "edited %ld %ld\n", early, resident_kib());
	}
	_exit(0);
}

int run_as_program(int edits)
{
	// A program that never shows its picture must not hold the measurement up for ever.
	alarm(120);
	prepare_display_identity();
	load_glowplate_records();
	TGlowplateApp* app = new TGlowplateApp;
	std::thread(watch, app, 3, edits).detach();
	app->Run();
	return 0;
}

// ---- the measuring side ---------------------------------------------------------------------

struct Run {
	bool ok = false;
	double seconds = 0;
	std::string report;
};

// Starts the program in a fresh settings folder and reads its report.
Run start_program(const char* self, int edits)
{
	Run run;
	char folder[] = "/tmp/glowplate-bench-app-XXXXXX";
	if (mkdtemp(folder) == nullptr)
		return run;
	std::string config = std::string("XDG_CONFIG_HOME=") + folder;
	std::string runtime = std::string("XDG_RUNTIME_DIR=") + folder;
	int pipes[2];
	if (pipe(pipes) != 0)
		return run;
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	// The read end goes first: it may be descriptor 3 itself.
	posix_spawn_file_actions_addclose(&actions, pipes[0]);
	posix_spawn_file_actions_adddup2(&actions, pipes[1], 3);
	std::string editsText = std::to_string(edits);
	char* argv[] = {(char*)self, (char*)kChildFlag, (char*)editsText.c_str(), nullptr};
	std::vector<char*> env;
	for (char** e = environ; *e != nullptr; e++) {
		if (strncmp(*e, "XDG_CONFIG_HOME=", 16) != 0 && strncmp(*e, "XDG_RUNTIME_DIR=", 16) != 0 &&
		    strncmp(*e, "GLOWPLATE_BACKEND=", 18) != 0)
			env.push_back(*e);
	}
	env.push_back((char*)config.c_str());
	env.push_back((char*)runtime.c_str());
	env.push_back((char*)"GLOWPLATE_BACKEND=headless");
	env.push_back(nullptr);

	bigtime_t start = system_time();
	pid_t pid = -1;
	int spawned = posix_spawn(&pid, self, &actions, nullptr, argv, env.data());
	posix_spawn_file_actions_destroy(&actions);
	close(pipes[1]);
	if (spawned == 0) {
		char buffer[256];
		std::string text;
		ssize_t got;
		while (text.find("ready") == std::string::npos &&
		       (got = read(pipes[0], buffer, sizeof(buffer))) > 0)
			text.append(buffer, (size_t)got);
		run.seconds = (double)(system_time() - start) / 1e6;
		while ((got = read(pipes[0], buffer, sizeof(buffer))) > 0)
			text.append(buffer, (size_t)got);
		int status = 0;
		waitpid(pid, &status, 0);
		run.report = text;
		run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
	}
	close(pipes[0]);
	std::string remove = std::string("rm -rf '") + folder + "'";
	if (std::system(remove.c_str()) != 0)
		run.ok = false;
	return run;
}

std::string gSelf;

void BM_StartToFirstPicture(benchmark::State& state)
{
	long resident = 0;
	for (auto _ : state) {
		Run run = start_program(gSelf.c_str(), 0);
		if (!run.ok) {
			state.SkipWithError("the program did not show its first picture");
			break;
		}
		state.SetIterationTime(run.seconds);
		sscanf(run.report.c_str(), "ready %ld", &resident);
	}
	state.counters["resident_MiB"] = (double)resident / 1024;
}
BENCHMARK(BM_StartToFirstPicture)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ResidentMemoryWhileTyping(benchmark::State& state)
{
	long ready = 0, early = 0, late = 0;
	for (auto _ : state) {
		Run run = start_program(gSelf.c_str(), 1000);
		if (!run.ok || sscanf(run.report.c_str(), "ready %ld\nedited %ld %ld", &ready, &early,
		                      &late) != 3) {
			state.SkipWithError("the program did not finish its edits");
			break;
		}
		state.SetIterationTime(run.seconds);
	}
	state.counters["after_start_MiB"] = (double)ready / 1024;
	state.counters["after_100_edits_MiB"] = (double)early / 1024;
	state.counters["after_1000_edits_MiB"] = (double)late / 1024;
	state.counters["growth_KiB"] = (double)(late - early);
}
BENCHMARK(BM_ResidentMemoryWhileTyping)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
	if (argc >= 3 && strcmp(argv[1], kChildFlag) == 0)
		return run_as_program(atoi(argv[2]));
	gSelf = "/proc/self/exe";
	char path[4096];
	ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	if (length > 0)
		gSelf.assign(path, (size_t)length);
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}
