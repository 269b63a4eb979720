// Another program of the family for the two-process tests: started with this process's
// environment (so it shares the runtime and settings folders) plus a few settings, without a
// shell, and read line by line from its standard output with deadlines. It is killed if it is
// still running when the object goes.
#ifndef CHILD_PROGRAM_H
#define CHILD_PROGRAM_H

#include <string>
#include <vector>

#include <OS.h>

class ChildProgram {
public:
	ChildProgram(const std::string& path, const std::vector<std::string>& arguments,
	             const std::vector<std::string>& environment);
	~ChildProgram();

	bool Started() const { return fPid > 0; }
	// Waits for a line that starts with `prefix`, skipping others; the whole line, or "" when
	// none came in time (or the program ended).
	std::string WaitForLine(const std::string& prefix, bigtime_t timeout = 10000000);
	// Waits for the program to end; its exit status, or -1 when it did not end in time.
	int Wait(bigtime_t timeout = 10000000);

	ChildProgram(const ChildProgram&) = delete;
	ChildProgram& operator=(const ChildProgram&) = delete;

private:
	int fPid = -1;
	int fOutput = -1;
	std::string fBuffer;
};

#endif
