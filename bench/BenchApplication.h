// The frame of the benchmarks that need windows: an application on the headless display, with
// a private runtime folder, running in a thread of its own while the benchmarks drive it from
// the main thread, as the program's windows are driven by input.
#ifndef BENCH_APPLICATION_H
#define BENCH_APPLICATION_H

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>
#include <thread>
#include <unistd.h>

#include <Application.h>

// Runs every registered benchmark in such an application; `cleanUp` runs after the last one,
// while the application still runs (to delete windows the benchmarks kept).
inline int run_benchmarks_in_application(int argc, char** argv,
                                         const std::function<void()>& cleanUp = {})
{
	setenv("GLOWPLATE_BACKEND", "headless", 1);
	char folder[] = "/tmp/glowplate-bench-XXXXXX";
	if (mkdtemp(folder) != nullptr)
		setenv("XDG_RUNTIME_DIR", folder, 1);
	BApplication* app = new BApplication("application/x-vnd.Glowplate-Bench");
	std::thread loop([app] { app->Run(); });

	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	if (cleanUp)
		cleanUp();

	app->Lock();
	app->Quit();
	app->Unlock();
	loop.join();
	delete app;
	rmdir(folder);
	return 0;
}

#endif
