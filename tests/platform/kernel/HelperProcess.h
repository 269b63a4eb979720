// A second process for the cross-process port tests: the test program starts itself again
// with GLOWPLATE_PORT_HELPER naming a role, and the copy plays that role (before the test
// framework's main runs) instead of running tests. The two talk over the child's standard
// input and output, one line per command and per answer.
#ifndef HELPER_PROCESS_H
#define HELPER_PROCESS_H

#include <string>
#include <sys/types.h>

class HelperProcess {
public:
	HelperProcess() = default;
	HelperProcess(const HelperProcess&) = delete;
	HelperProcess& operator=(const HelperProcess&) = delete;
	~HelperProcess();

	// Starts the helper in the role, with the port name (and capacity, for roles that
	// create a port) in its environment.
	bool Start(const std::string& role, const std::string& portName, int capacity = 0);
	bool Send(const std::string& line);
	// The next line the helper prints, without its newline; empty when it ended or said
	// nothing for a long while.
	std::string ReadLine();
	// Waits for the helper to end; its exit code, or -1 when it did not end normally.
	int Wait();
	void Kill();
	pid_t Pid() const { return fPid; }

private:
	pid_t fPid = -1;
	int fToChild = -1;
	int fFromChild = -1;
	std::string fPending;
};

#endif
