#include "HelperProcess.h"

#include <OS.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// --- the parent's side ---------------------------------------------------------------------

HelperProcess::~HelperProcess()
{
	if (fPid > 0) {
		Kill();
		Wait();
	}
	if (fToChild >= 0)
		close(fToChild);
	if (fFromChild >= 0)
		close(fFromChild);
}

bool HelperProcess::Start(const std::string& role, const std::string& portName, int capacity)
{
	int toChild[2], fromChild[2];
	if (pipe2(toChild, O_CLOEXEC) != 0)
		return false;
	if (pipe2(fromChild, O_CLOEXEC) != 0) {
		close(toChild[0]);
		close(toChild[1]);
		return false;
	}

	std::vector<std::string> settings;
	for (char** entry = environ; *entry != nullptr; entry++)
		settings.push_back(*entry);
	settings.push_back("GLOWPLATE_PORT_HELPER=" + role);
	settings.push_back("GLOWPLATE_PORT_NAME=" + portName);
	settings.push_back("GLOWPLATE_PORT_CAPACITY=" + std::to_string(capacity));
	std::vector<char*> environment;
	for (std::string& setting : settings)
		environment.push_back(setting.data());
	environment.push_back(nullptr);

	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
	posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
	char program[] = "/proc/self/exe";
	char* arguments[] = {program, nullptr};
	int error = posix_spawn(&fPid, program, &actions, nullptr, arguments, environment.data());
	posix_spawn_file_actions_destroy(&actions);
	close(toChild[0]);
	close(fromChild[1]);
	fToChild = toChild[1];
	fFromChild = fromChild[0];
	if (error != 0)
		fPid = -1;
	return error == 0;
}

bool HelperProcess::Send(const std::string& line)
{
	std::string text = line + "\n";
	return write(fToChild, text.data(), text.size()) == (ssize_t)text.size();
}

std::string HelperProcess::ReadLine()
{
	// Thirty seconds without a word means the helper is stuck; the limit only keeps a broken
	// build from hanging the test.
	const bigtime_t deadline = system_time() + 30000000;
	for (;;) {
		size_t end = fPending.find('\n');
		if (end != std::string::npos) {
			std::string line = fPending.substr(0, end);
			fPending.erase(0, end + 1);
			return line;
		}
		struct pollfd entry = {fFromChild, POLLIN, 0};
		if (system_time() >= deadline || poll(&entry, 1, 100) < 0)
			return std::string();
		if (entry.revents == 0)
			continue;
		char buffer[256];
		ssize_t count = read(fFromChild, buffer, sizeof(buffer));
		if (count <= 0)
			return std::string();
		fPending.append(buffer, (size_t)count);
	}
}

int HelperProcess::Wait()
{
	if (fPid <= 0)
		return -1;
	int status = 0;
	pid_t ended = waitpid(fPid, &status, 0);
	fPid = -1;
	if (ended < 0 || !WIFEXITED(status))
		return -1;
	return WEXITSTATUS(status);
}

void HelperProcess::Kill()
{
	if (fPid > 0)
		kill(fPid, SIGKILL);
}

// --- the helper's side ----------------------------------------------------------------------

namespace {

void say(const std::string& line)
{
	std::string text = line + "\n";
	if (write(STDOUT_FILENO, text.data(), text.size()) < 0)
		_exit(90);
}

std::string hear()
{
	std::string line;
	char c;
	while (read(STDIN_FILENO, &c, 1) == 1) {
		if (c == '\n')
			return line;
		line += c;
	}
	return "exit";
}

// Creates the port and answers commands about it: "read", "count", "delete", "exit".
int serve(const char* name, int capacity)
{
	port_id port = create_port(capacity, name);
	if (port < 0)
		return 20;
	say("ready " + std::to_string(port));
	for (;;) {
		std::string command = hear();
		if (command == "read") {
			int32 code = 0;
			char buffer[256];
			ssize_t size = read_port(port, &code, buffer, sizeof(buffer));
			if (size < 0)
				say("error " + std::to_string(size));
			else
				say(std::to_string(code) + " " + std::string(buffer, (size_t)size));
		} else if (command == "count") {
			port_info info;
			get_port_info(port, &info);
			say(std::to_string(info.queue_count) + " " + std::to_string(info.total_count));
		} else if (command == "delete") {
			say("deleted " + std::to_string(delete_port(port)));
		} else {
			return 0;
		}
	}
}

// Finds the parent's port, checks what may and may not be done with it from here, and
// writes the messages "message 1" to "message <capacity>" with codes 1 to capacity.
int write_to_parent(const char* name, int count)
{
	port_id port = find_port(name);
	if (port < 0)
		return 30;
	port_info info;
	if (get_port_info(port, &info) != B_OK || info.team != getppid() ||
	    strcmp(info.name, name) != 0)
		return 31;
	int32 code;
	char buffer[8];
	if (read_port(port, &code, buffer, sizeof(buffer)) != B_NOT_SUPPORTED ||
	    port_buffer_size(port) != B_NOT_SUPPORTED)
		return 32;
	if (find_port(name) != port)
		return 33;
	for (int i = 1; i <= count; i++) {
		std::string text = "message " + std::to_string(i);
		if (write_port(port, i, text.data(), text.size()) != B_OK)
			return 34;
	}
	return 0;
}

// Creates the port, says so, and waits to be killed.
int create_and_wait(const char* name)
{
	if (create_port(4, name) < 0)
		return 40;
	say("ready");
	hear();
	return 0;
}

int run_helper_if_asked()
{
	const char* role = getenv("GLOWPLATE_PORT_HELPER");
	if (role == nullptr)
		return 0;
	const char* name = getenv("GLOWPLATE_PORT_NAME");
	const char* capacityText = getenv("GLOWPLATE_PORT_CAPACITY");
	int capacity = capacityText != nullptr ? atoi(capacityText) : 0;
	int result = 99;
	if (strcmp(role, "serve") == 0)
		result = serve(name, capacity);
	else if (strcmp(role, "write") == 0)
		result = write_to_parent(name, capacity);
	else if (strcmp(role, "wait") == 0)
		result = create_and_wait(name);
	_exit(result);
}

// Runs before the test framework's main, so that a helper never runs the tests.
[[maybe_unused]] const int sHelperRole = run_helper_if_asked();

} // namespace
