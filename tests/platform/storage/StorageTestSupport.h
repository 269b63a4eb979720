// Helpers for the storage tests: a scratch folder per test, whole-file reads and writes
// through the C library (so the code under test is not used to check itself), and the probe
// for extended attribute support.
#ifndef STORAGE_TEST_SUPPORT_H
#define STORAGE_TEST_SUPPORT_H

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

class ScratchFolder {
public:
	ScratchFolder()
	{
		char pattern[] = "/tmp/glowplate-storage-XXXXXX";
		char* made = mkdtemp(pattern);
		if (made != nullptr) {
			// Realpath, so that paths the kit resolves compare equal to ours.
			char* real = realpath(made, nullptr);
			fPath = real != nullptr ? real : made;
			free(real);
		}
	}

	~ScratchFolder() { Remove(fPath); }

	const std::string& Path() const { return fPath; }
	std::string operator/(const std::string& leaf) const { return fPath + "/" + leaf; }

	static void Remove(const std::string& path)
	{
		struct stat st;
		if (path.empty() || lstat(path.c_str(), &st) != 0)
			return;
		if (S_ISDIR(st.st_mode)) {
			chmod(path.c_str(), 0700);
			if (DIR* dir = opendir(path.c_str())) {
				while (struct dirent* item = readdir(dir)) {
					std::string name = item->d_name;
					if (name != "." && name != "..")
						Remove(path + "/" + name);
				}
				closedir(dir);
			}
			rmdir(path.c_str());
		} else {
			unlink(path.c_str());
		}
	}

private:
	std::string fPath;
};

inline bool write_text(const std::string& path, const std::string& text)
{
	int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
	if (fd < 0)
		return false;
	bool ok = write(fd, text.data(), text.size()) == (ssize_t)text.size();
	return close(fd) == 0 && ok;
}

inline std::string read_text(const std::string& path)
{
	int fd = open(path.c_str(), O_RDONLY);
	if (fd < 0)
		return "<missing>";
	std::string text;
	char buffer[4096];
	ssize_t count;
	while ((count = read(fd, buffer, sizeof(buffer))) > 0)
		text.append(buffer, count);
	close(fd);
	return text;
}

inline bool path_exists(const std::string& path)
{
	struct stat st;
	return lstat(path.c_str(), &st) == 0;
}

inline mode_t permissions_of(const std::string& path)
{
	struct stat st;
	return stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// The names in a folder, without "." and "..".
inline std::set<std::string> folder_names(const std::string& path)
{
	std::set<std::string> names;
	if (DIR* dir = opendir(path.c_str())) {
		while (struct dirent* item = readdir(dir)) {
			std::string name = item->d_name;
			if (name != "." && name != "..")
				names.insert(name);
		}
		closedir(dir);
	}
	return names;
}

// Some file systems (older tmpfs, some overlays) have no user extended attributes.
inline bool user_xattrs_supported(const std::string& file)
{
	if (setxattr(file.c_str(), "user.glowplate-probe", "1", 1, 0) != 0)
		return errno != ENOTSUP;
	removexattr(file.c_str(), "user.glowplate-probe");
	return true;
}

#define SKIP_WITHOUT_XATTRS(file)                                                                  \
	do {                                                                                           \
		if (!user_xattrs_supported(file))                                                          \
			GTEST_SKIP() << "the file system has no user extended attributes";                     \
	} while (0)

// Runs `body` in a child process without privileges and returns its result (0 to 125), or
// -1 when the child did not end normally. Permissions bind an ordinary user only, so the
// superuser runs the body as "nobody"; the folders it uses must let that user in.
inline int run_unprivileged(const std::function<int()>& body)
{
	pid_t child = fork();
	if (child < 0)
		return -1;
	if (child == 0) {
		if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
			_exit(126);
		_exit(body());
	}
	int status = 0;
	if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
		return -1;
	return WEXITSTATUS(status);
}

// Sets the process umask for the life of the object.
class UmaskScope {
public:
	explicit UmaskScope(mode_t mask) : fOld(umask(mask)) {}
	~UmaskScope() { umask(fOld); }

private:
	mode_t fOld;
};

#endif
