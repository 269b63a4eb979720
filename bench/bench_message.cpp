// How fast messages flatten and unflatten, and how fast a looper takes messages from other
// threads: one synchronous round trip at a time, and batches of posts.
#include <benchmark/benchmark.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

#include <Looper.h>
#include <Message.h>
#include <Messenger.h>

namespace {

// A message like the ones the application stores and sends: a dozen fields of mixed types.
BMessage typical_message()
{
	BMessage message('tprp');
	message.AddString("class", "TProperty");
	message.AddString("class", "TArchivable");
	message.AddString("Text", "Glowplate Maker 行先表示");
	message.AddString("FontFamily", "VL Gothic");
	message.AddString("FontStyle", "Regular");
	message.AddInt32("LEDSize", 4);
	message.AddInt32("LEDGap", 1);
	message.AddInt32("NumVertLED", 16);
	message.AddFloat("FontSize", 16.0f);
	message.AddBool("Correction", true);
	const uint8 colours[3][4] = {{255, 160, 0, 255}, {40, 40, 40, 255}, {0, 0, 0, 255}};
	for (const auto& colour : colours)
		message.AddData("Colors", B_RGB_COLOR_TYPE, colour, 4);
	message.AddRect("Frame", BRect(50, 50, 350, 300));
	return message;
}

void BM_Flatten(benchmark::State& state)
{
	BMessage message = typical_message();
	std::vector<char> buffer((size_t)message.FlattenedSize());
	for (auto _ : state) {
		ssize_t size = message.FlattenedSize();
		message.Flatten(buffer.data(), size);
		benchmark::DoNotOptimize(buffer.data());
	}
	state.SetBytesProcessed(state.iterations() * (int64_t)buffer.size());
}
BENCHMARK(BM_Flatten);

void BM_Unflatten(benchmark::State& state)
{
	BMessage original = typical_message();
	std::vector<char> buffer((size_t)original.FlattenedSize());
	original.Flatten(buffer.data(), (ssize_t)buffer.size());
	for (auto _ : state) {
		BMessage message;
		message.Unflatten(buffer.data(), (ssize_t)buffer.size());
		benchmark::DoNotOptimize(message.what);
	}
	state.SetBytesProcessed(state.iterations() * (int64_t)buffer.size());
}
BENCHMARK(BM_Unflatten);

class CountingLooper : public BLooper {
public:
	CountingLooper() : BLooper("bench") {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'rtrp') {
			message->SendReply('back');
			return;
		}
		std::lock_guard<std::mutex> guard(fLock);
		fCount++;
		fChanged.notify_all();
	}

	void WaitFor(int64_t count)
	{
		std::unique_lock<std::mutex> guard(fLock);
		fChanged.wait(guard, [&] { return fCount >= count; });
	}

private:
	std::mutex fLock;
	std::condition_variable fChanged;
	int64_t fCount = 0;
};

// One message to the looper thread and its reply back: the latency of a dispatch.
void BM_SendAndReply(benchmark::State& state)
{
	CountingLooper* looper = new CountingLooper;
	looper->Run();
	BMessenger target(nullptr, looper);
	BMessage message = typical_message();
	message.what = 'rtrp';
	for (auto _ : state) {
		BMessage reply;
		target.SendMessage(&message, &reply);
		benchmark::DoNotOptimize(reply.what);
	}
	if (looper->Lock())
		looper->Quit();
}
BENCHMARK(BM_SendAndReply)->UseRealTime();

// Batches of posts from this thread while the looper dispatches them: the throughput.
void BM_PostAndDispatch(benchmark::State& state)
{
	const int64_t batch = state.range(0);
	CountingLooper* looper = new CountingLooper;
	looper->Run();
	BMessenger target(nullptr, looper);
	BMessage message = typical_message();
	int64_t sent = 0;
	for (auto _ : state) {
		for (int64_t i = 0; i < batch; i++)
			target.SendMessage(&message, (BHandler*)nullptr, B_INFINITE_TIMEOUT);
		sent += batch;
		looper->WaitFor(sent);
	}
	state.SetItemsProcessed(sent);
	if (looper->Lock())
		looper->Quit();
}
BENCHMARK(BM_PostAndDispatch)->Arg(1000)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
