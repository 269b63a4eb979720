#include "ChildProgram.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

ChildProgram::ChildProgram(const std::string& path, const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment)
{
	// Everything the child gets is made before it is started: a process with threads may not
	// allocate between fork and exec, so posix_spawn does the rest.
	std::vector<std::string> settings;
	for (char** entry = environ; *entry != nullptr; entry++)
		settings.push_back(*entry);
	settings.insert(settings.end(), environment.begin(), environment.end());
	std::vector<char*> envp;
	for (std::string& setting : settings)
		envp.push_back(setting.data());
	envp.push_back(nullptr);
	std::vector<std::string> words{path};
	words.insert(words.end(), arguments.begin(), arguments.end());
	std::vector<char*> argv;
	for (std::string& word : words)
		argv.push_back(word.data());
	argv.push_back(nullptr);

	int pipes[2];
	if (pipe2(pipes, O_CLOEXEC) != 0)
		return;
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_adddup2(&actions, pipes[1], STDOUT_FILENO);
	pid_t pid = -1;
	int result = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data());
	posix_spawn_file_actions_destroy(&actions);
	close(pipes[1]);
	if (result != 0) {
		close(pipes[0]);
		return;
	}
	fPid = pid;
	fOutput = pipes[0];
	fcntl(fOutput, F_SETFL, O_NONBLOCK);
}

ChildProgram::~ChildProgram()
{
	if (fPid > 0) {
		kill(fPid, SIGKILL);
		waitpid(fPid, nullptr, 0);
	}
	if (fOutput >= 0)
		close(fOutput);
}

std::string ChildProgram::WaitForLine(const std::string& prefix, bigtime_t timeout)
{
	bigtime_t deadline = system_time() + timeout;
	for (;;) {
		size_t newline;
		while ((newline = fBuffer.find('\n')) != std::string::npos) {
			std::string line = fBuffer.substr(0, newline);
			fBuffer.erase(0, newline + 1);
			if (line.compare(0, prefix.size(), prefix) == 0)
				return line;
		}
		bigtime_t left = deadline - system_time();
		if (fOutput < 0 || left <= 0)
			return "";
		pollfd wait{fOutput, POLLIN, 0};
		if (poll(&wait, 1, (int)(left / 1000) + 1) < 0 && errno != EINTR)
			return "";
		char bytes[4096];
		ssize_t count = read(fOutput, bytes, sizeof(bytes));
		if (count > 0)
			fBuffer.append(bytes, (size_t)count);
		else if (count == 0)
			return ""; // the program ended
	}
}

int ChildProgram::Wait(bigtime_t timeout)
{
	if (fPid <= 0)
		return -1;
	bigtime_t deadline = system_time() + timeout;
	int status = 0;
	for (;;) {
		pid_t done = waitpid(fPid, &status, WNOHANG);
		if (done == fPid)
			break;
		if (done < 0 || system_time() > deadline)
			return -1;
		snooze(1000);
	}
	fPid = -1;
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
