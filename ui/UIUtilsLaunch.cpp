// Opening documents and addresses in the programs the user prefers. The desktop's own opener,
// xdg-open, knows those preferences; it is started directly with its argument (never through
// a shell, so no character of a path can be taken for a command) and reaped by a thread of
// its own, so that the caller neither waits for it nor leaves a zombie behind.
#include "UIUtils.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>

#include <Node.h>
#include <NodeInfo.h>

#include <PathFunctions.h>

extern char** environ;

namespace {

// Types of the documents a program's help comes as, by extension.
struct ExtensionType {
	const char* extension;
	const char* type;
};

const ExtensionType kExtensionTypes[] = {
    {"html", "text/html"},      {"htm", "text/html"},   {"xhtml", "application/xhtml+xml"},
    {"txt", "text/plain"},      {"text", "text/plain"}, {"md", "text/markdown"},
    {"pdf", "application/pdf"}, {"png", "image/png"},   {"jpg", "image/jpeg"},
    {"jpeg", "image/jpeg"},     {"gif", "image/gif"},   {"svg", "image/svg+xml"},
};

// The type of a document by its file name's extension, or null.
const char* type_for_extension(const char* path)
{
	BString name = extract_file_name(path);
	int32 dot = name.FindLast('.');
	if (dot <= 0)
		return nullptr;
	BString extension;
	name.CopyInto(extension, dot + 1, name.Length() - dot - 1);
	extension.ToLower();
	for (const ExtensionType& known : kExtensionTypes) {
		if (extension == known.extension)
			return known.type;
	}
	return nullptr;
}

void reap_later(pid_t child)
{
	std::thread([child] {
		int status = 0;
		while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
		}
	}).detach();
}

// Starts the desktop's opener with the one argument; B_OK when it was started.
status_t start_opener(const char* argument)
{
	posix_spawnattr_t attributes;
	if (posix_spawnattr_init(&attributes) != 0)
		return B_ERROR;
	// The opener starts with no signals blocked or ignored, whatever this program's threads
	// block, and in a process group of its own, so that a Ctrl+C meant for this program does
	// not reach the program it opens.
	sigset_t none, defaults;
	sigemptyset(&none);
	sigfillset(&defaults);
	posix_spawnattr_setsigmask(&attributes, &none);
	posix_spawnattr_setsigdefault(&attributes, &defaults);
	posix_spawnattr_setpgroup(&attributes, 0);
	posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
	                                          POSIX_SPAWN_SETPGROUP);

	std::string program = "xdg-open";
	std::string value = argument;
	char* arguments[] = {program.data(), value.data(), nullptr};
	pid_t child = -1;
	int error = posix_spawnp(&child, program.c_str(), nullptr, &attributes, arguments, environ);
	posix_spawnattr_destroy(&attributes);
	if (error != 0)
		return B_ERROR;
	reap_later(child);
	return B_OK;
}

} // namespace

status_t show_core(const char* type, const char* path)
{
	if (!is_valid_mime_type(type) || path == nullptr || path[0] == '\0')
		return -1;
	// A relative path that begins with "-" would read as an option; "./" keeps it a file.
	std::string argument = path[0] == '-' ? std::string("./") + path : std::string(path);
	return start_opener(argument.c_str()) == B_OK ? 0 : -1;
}

status_t show_help(const char* path)
{
	if (path == nullptr)
		return -1;
	// A document that is not there has no type to open it by.
	BNode node(path);
	if (node.InitCheck() != B_OK)
		return -1;
	char type[B_MIME_TYPE_LENGTH];
	BNodeInfo info(&node);
	if (info.GetType(type) == B_OK)
		return show_core(type, path);
	const char* byExtension = type_for_extension(path);
	return byExtension != nullptr ? show_core(byExtension, path) : -1;
}

status_t show_url(const char* url)
{
	return show_core("text/html", url);
}
