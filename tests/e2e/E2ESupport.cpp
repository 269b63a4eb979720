#include "E2ESupport.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <PngCodec.h>

extern char** environ;

namespace e2e {

namespace {

bool on_path(const char* program)
{
	const char* path = getenv("PATH");
	if (path == nullptr)
		return false;
	std::string paths = path;
	size_t start = 0;
	while (start <= paths.size()) {
		size_t end = paths.find(':', start);
		std::string folder = paths.substr(start, end == std::string::npos ? end : end - start);
		if (access((folder + "/" + program).c_str(), X_OK) == 0)
			return true;
		if (end == std::string::npos)
			break;
		start = end + 1;
	}
	return false;
}

// Runs a program with an argument vector (never a shell) and collects its standard output.
int run(const std::vector<std::string>& argv, std::vector<uint8>* output)
{
	int pipes[2];
	if (pipe(pipes) != 0)
		return -1;
	pid_t pid = fork();
	if (pid == 0) {
		dup2(pipes[1], STDOUT_FILENO);
		close(pipes[0]);
		close(pipes[1]);
		std::vector<char*> args;
		for (const std::string& arg : argv)
			args.push_back(const_cast<char*>(arg.c_str()));
		args.push_back(nullptr);
		execvp(args[0], args.data());
		_exit(127);
	}
	close(pipes[1]);
	uint8 buffer[65536];
	ssize_t count;
	while ((count = read(pipes[0], buffer, sizeof(buffer))) > 0 || (count < 0 && errno == EINTR)) {
		if (count > 0 && output != nullptr)
			output->insert(output->end(), buffer, buffer + count);
	}
	close(pipes[0]);
	int status = 0;
	while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
	}
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

bool DisplayAvailable(std::string* why)
{
	const char* display = getenv("DISPLAY");
	if (display == nullptr || *display == '\0') {
		*why = "no DISPLAY";
		return false;
	}
	if (!on_path("xdotool") || !on_path("import")) {
		*why = "xdotool or import is missing";
		return false;
	}
	return true;
}

Program::Program(const std::string& path, const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment)
{
	int pipes[2];
	if (pipe(pipes) != 0)
		return;
	pid_t pid = fork();
	if (pid == 0) {
		dup2(pipes[1], STDOUT_FILENO);
		close(pipes[0]);
		close(pipes[1]);
		setenv("GLOWPLATE_BACKEND", "sdl", 1);
		// The display's driver libraries, loaded and unloaded by SDL, leave allocations the
		// leak checker cannot even name; the programs' own leaks are the unit tests' business.
		setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
		for (const std::string& variable : environment)
			putenv(strdup(variable.c_str()));
		std::vector<char*> args;
		args.push_back(const_cast<char*>(path.c_str()));
		for (const std::string& arg : arguments)
			args.push_back(const_cast<char*>(arg.c_str()));
		args.push_back(nullptr);
		execv(path.c_str(), args.data());
		_exit(127);
	}
	close(pipes[1]);
	if (pid < 0) {
		close(pipes[0]);
		return;
	}
	fPid = pid;
	fOutput = pipes[0];
	fcntl(fOutput, F_SETFL, O_NONBLOCK);
}

Program::~Program()
{
	if (fPid > 0) {
		kill(fPid, SIGKILL);
		waitpid(fPid, nullptr, 0);
	}
	if (fOutput >= 0)
		close(fOutput);
}

bool Program::ReadLine(std::string* line, bigtime_t timeout)
{
	bigtime_t deadline = system_time() + timeout;
	for (;;) {
		size_t newline = fBuffer.find('\n');
		if (newline != std::string::npos) {
			*line = fBuffer.substr(0, newline);
			fBuffer.erase(0, newline + 1);
			return true;
		}
		bigtime_t left = deadline - system_time();
		if (left <= 0 || fOutput < 0)
			return false;
		pollfd wait = {fOutput, POLLIN, 0};
		if (poll(&wait, 1, (int)(left / 1000) + 1) <= 0)
			continue;
		char buffer[4096];
		ssize_t count = read(fOutput, buffer, sizeof(buffer));
		if (count == 0)
			return false;
		if (count > 0)
			fBuffer.append(buffer, (size_t)count);
	}
}

bool Program::WaitForLine(const std::string& expected, bigtime_t timeout)
{
	bigtime_t deadline = system_time() + timeout;
	std::string line;
	while (ReadLine(&line, std::max<bigtime_t>(deadline - system_time(), 0))) {
		if (line == expected)
			return true;
	}
	return false;
}

int Program::Wait(bigtime_t timeout)
{
	if (fPid <= 0)
		return -1;
	bigtime_t deadline = system_time() + timeout;
	for (;;) {
		int status = 0;
		pid_t done = waitpid(fPid, &status, WNOHANG);
		if (done == fPid) {
			fPid = -1;
			return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
		}
		if (system_time() > deadline)
			return -1;
		snooze(10000);
	}
}

bool Program::Signal(int signal)
{
	return fPid > 0 && kill(fPid, signal) == 0;
}

bool Xdotool(const std::vector<std::string>& arguments)
{
	std::vector<std::string> argv = {"xdotool"};
	argv.insert(argv.end(), arguments.begin(), arguments.end());
	return run(argv, nullptr) == 0;
}

rgb_color Screenshot::At(int32 x, int32 y) const
{
	if (x < 0 || y < 0 || x >= width || y >= height)
		return make_color(0, 0, 0, 0);
	const uint8* pixel = &pixels[((size_t)y * width + x) * 4];
	return make_color(pixel[2], pixel[1], pixel[0], pixel[3]);
}

bool TakeScreenshot(Screenshot* shot)
{
	std::vector<uint8> png;
	if (run({"import", "-window", "root", "png:-"}, &png) != 0 || png.empty())
		return false;
	graphics::PngImage image;
	if (graphics::PngCodec::Decode(png.data(), png.size(), graphics::PixelLayout::Bgra, &image) !=
	    B_OK)
		return false;
	shot->width = image.width;
	shot->height = image.height;
	shot->pixels = std::move(image.pixels);
	return true;
}

bool WaitForPixel(int32 x, int32 y, rgb_color color, bigtime_t timeout)
{
	bigtime_t deadline = system_time() + timeout;
	do {
		Screenshot shot;
		if (TakeScreenshot(&shot) && shot.At(x, y) == color)
			return true;
		snooze(50000);
	} while (system_time() < deadline);
	return false;
}

} // namespace e2e
