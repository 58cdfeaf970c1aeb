// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
// bin/ketamori, the launcher: starts ケタモリ！ in the player's data folder,
// $XDG_DATA_HOME/ketamori (by default ~/.local/share/ketamori). The program keeps its settings and
// history there and finds them in its working directory, so the folder is prepared first: on first
// use it gets the default settings (5 digits, 5 seconds, auto-save on) and an empty history. Those
// files are the player's from then on and are never overwritten. The help file belongs to the
// program: every start checks that the folder's copy is the installed one and replaces it when not.
//
// It runs before every start the player makes, so it is a program and not a script (a shell
// costs some 3.7 ms of each start, this under 2 ms), and it uses the C library alone: it loads no
// other library and becomes the program with one exec.
//
// The program and the help file are found relative to the launcher's own file, wherever a
// symbolic link to it lies: the build gives their paths from the launcher's folder, so the same
// source serves the build tree and every install prefix.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char programPath[] = KETAMORI_LAUNCHER_PROGRAM;
constexpr char helpFilePath[] = KETAMORI_LAUNCHER_HELP_FILE;
constexpr char helpName[] = KETAMORI_HELP_FILE_NAME;
constexpr char helpNewName[] = "." KETAMORI_HELP_FILE_NAME ".XXXXXX";
constexpr char settingsName[] = "設定.txt";
constexpr char settingsNewName[] = ".設定.txt.XXXXXX";
constexpr char historyName[] = "履歴.txt";
constexpr char defaultSettings[] = "5,5,1\r\n";

// A path the system's calls take; a longer one is refused as they would refuse it.
struct Path
{
    char text[PATH_MAX];
};

bool join(Path &path, const char *folder, const char *name)
{
    const int length = std::snprintf(path.text, sizeof path.text, "%s/%s", folder, name);
    if (length < 0 || std::size_t(length) >= sizeof path.text) {
        errno = ENAMETOOLONG;
        return false;
    }
    return true;
}

[[noreturn]] void cannotPrepare(const Path &data)
{
    std::fprintf(stderr, "ketamori: could not prepare the data folder %s: %s\n", data.text,
                 std::strerror(errno));
    std::exit(1);
}

// Whether anything is at path, a symbolic link leading nowhere included: whatever the player keeps
// under a name is theirs and is never replaced. A path that cannot be looked at ends the start.
bool present(const Path &data, const char *path)
{
    struct stat status;
    if (lstat(path, &status) == 0)
        return true;
    if (errno != ENOENT)
        cannotPrepare(data);
    return false;
}

// mkdir -p: every missing folder of the path, and the path must end a folder.
bool makeFolders(char *path)
{
    for (char *end = path + 1;; ++end) {
        if (*end != '/' && *end != '\0')
            continue;
        const char separator = *end;
        *end = '\0';
        const bool made = mkdir(path, 0777) == 0 || errno == EEXIST;
        *end = separator;
        if (!made)
            return false;
        if (separator == '\0')
            break;
    }
    struct stat status;
    if (stat(path, &status) != 0)
        return false;
    if (!S_ISDIR(status.st_mode)) {
        errno = ENOTDIR;
        return false;
    }
    return true;
}

bool writeAll(int file, const char *bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = write(file, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= std::size_t(written);
    }
    return true;
}

// Closes a file whose reading or writing failed, keeping that failure's errno for the message.
void closeKeepingError(int file)
{
    const int error = errno;
    close(file);
    errno = error;
}

// Removes a new file that failed, keeping that failure's errno.
void removeKeepingError(const char *path)
{
    const int error = errno;
    unlink(path);
    errno = error;
}

void dropKeepingError(int file, const char *path)
{
    closeKeepingError(file);
    removeKeepingError(path);
}

// Ends a new file's writing: on disk before it is given its name, so a power loss leaves either no
// file or the whole one under that name. A file that could not be finished is removed.
bool finish(int file, const char *path)
{
    if (fsync(file) != 0) {
        dropKeepingError(file, path);
        return false;
    }
    if (close(file) == 0)
        return true;
    removeKeepingError(path);
    return false;
}

// Makes a new file at path, whose name ends in XXXXXX, under a name of its own (two starts at once
// each write their own file), with the permissions open(2) would give it.
int createNew(char *path, mode_t mode)
{
    const int file = mkostemp(path, O_CLOEXEC);
    if (file < 0)
        return -1;
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(file, mode & ~mask) != 0) {
        dropKeepingError(file, path);
        return -1;
    }
    return file;
}

bool writeNewFile(char *path, const char *bytes)
{
    const int file = createNew(path, 0666);
    if (file < 0)
        return false;
    if (!writeAll(file, bytes, std::strlen(bytes))) {
        dropKeepingError(file, path);
        return false;
    }
    return finish(file, path);
}

bool copyBytes(int from, int to)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        if (!writeAll(to, buffer, std::size_t(got)))
            return false;
    }
}

// Copies the installed help file to a new file at path (its name ending in XXXXXX, which is made
// its own) with the installed file's times, so that a copy of another time (another version of
// the program, or a file changed since) is what needs replacing; a copy cut short shows in its
// size.
bool copyHelpFile(const char *installedPath, const struct stat &installed, char *path)
{
    const int from = open(installedPath, O_RDONLY | O_CLOEXEC);
    if (from < 0)
        return false;
    const int to = createNew(path, installed.st_mode & 0777);
    if (to < 0) {
        closeKeepingError(from);
        return false;
    }
    const bool copied = copyBytes(from, to);
    closeKeepingError(from);
    const struct timespec times[2] = {installed.st_atim, installed.st_mtim};
    if (!copied || futimens(to, times) != 0) {
        dropKeepingError(to, path);
        return false;
    }
    return finish(to, path);
}

bool sameTime(const struct timespec &a, const struct timespec &b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Refreshes the data folder's copy of the help file. It is replaced, not rewritten, so a running
// copy of the program keeps reading the one it opened. The drill does not need it: when it cannot
// be refreshed the player is told and the program starts all the same.
void refreshHelpFile(const Path &data, const char *installedPath)
{
    struct stat installed;
    if (stat(installedPath, &installed) != 0 || !S_ISREG(installed.st_mode))
        return;
    Path copy;
    Path next;
    if (!join(copy, data.text, helpName) || !join(next, data.text, helpNewName))
        return;
    struct stat current;
    if (stat(copy.text, &current) == 0 && S_ISREG(current.st_mode) &&
        current.st_size == installed.st_size && sameTime(current.st_mtim, installed.st_mtim))
        return;
    const bool copied = copyHelpFile(installedPath, installed, next.text);
    if (!copied || rename(next.text, copy.text) != 0) {
        std::fprintf(stderr, "ketamori: could not refresh the help file %s: %s\n", copy.text,
                     std::strerror(errno));
        if (copied)
            unlink(next.text);
    }
}

// Gives the new file at from the name to, unless something has that name by now: another start
// seeding the folder at the same moment, whose file is the same.
bool placeNew(const char *from, const char *to)
{
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return unlink(from) == 0;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without that flag (NFS): the name was just found free.
    return rename(from, to) == 0;
}

// The settings are written beside their place and then moved there, so a full disk or an
// interrupted start never leaves a half-written file behind. Appending creates the empty history
// but cannot cut an existing one short.
void seedPlayerFiles(const Path &data)
{
    Path settings;
    Path next;
    Path history;
    if (!join(settings, data.text, settingsName) || !join(next, data.text, settingsNewName) ||
        !join(history, data.text, historyName))
        cannotPrepare(data);
    if (!present(data, settings.text)) {
        const bool written = writeNewFile(next.text, defaultSettings);
        if (!written || !placeNew(next.text, settings.text)) {
            if (written)
                removeKeepingError(next.text);
            cannotPrepare(data);
        }
    }
    if (!present(data, history.text)) {
        const int file = open(history.text, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        if (file < 0 || close(file) != 0)
            cannotPrepare(data);
    }
}

// The data folder: $XDG_DATA_HOME/ketamori, or ~/.local/share/ketamori. A relative XDG_DATA_HOME
// is not valid and is ignored, as the desktop's own programs do; a relative HOME would put the
// player's files wherever the launcher happened to be started, so it gives no folder.
Path dataFolder()
{
    Path data;
    const char *dataHome = std::getenv("XDG_DATA_HOME");
    const char *home = std::getenv("HOME");
    bool joined;
    if (dataHome != nullptr && dataHome[0] == '/') {
        joined = join(data, dataHome, "ketamori");
    } else if (home != nullptr && home[0] == '/') {
        joined = join(data, home, ".local/share/ketamori");
    } else {
        std::fprintf(stderr, "ketamori: neither XDG_DATA_HOME nor HOME names a folder from the "
                             "root: no place for the data folder\n");
        std::exit(1);
    }
    if (!joined) {
        std::fprintf(stderr, "ketamori: the data folder's path is too long\n");
        std::exit(1);
    }
    return data;
}

// A long history fills the table's memory at start-up, some 25 MB at a million records: with the
// C library taking transparent huge pages for it that is a few hundred page faults instead of
// several thousand, 40 ms of such a start. A tunable the player set is placed after this one and
// wins; an older C library ignores a tunable it does not know.
void takeHugePages()
{
    constexpr char hugePages[] = "glibc.malloc.hugetlb=1";
    const char *given = std::getenv("GLIBC_TUNABLES");
    if (given == nullptr || given[0] == '\0') {
        setenv("GLIBC_TUNABLES", hugePages, 1);
        return;
    }
    const std::size_t size = sizeof hugePages + 1 + std::strlen(given);
    char *tunables = static_cast<char *>(std::malloc(size));
    if (tunables == nullptr)
        return;
    std::snprintf(tunables, size, "%s:%s", hugePages, given);
    setenv("GLIBC_TUNABLES", tunables, 1);
    std::free(tunables);
}

} // namespace

int main(int, char *argv[])
{
    const auto isSet = [](const char *name) {
        const char *value = std::getenv(name);
        return value != nullptr && value[0] != '\0';
    };
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM")) {
        std::fprintf(stderr,
                     "ketamori: no display found (DISPLAY is not set). Run it on a desktop, or "
                     "under Xvfb:\n  xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }

    // The launcher's own folder, its symbolic links resolved.
    Path self;
    const ssize_t length = readlink("/proc/self/exe", self.text, sizeof self.text - 1);
    if (length <= 0 || std::size_t(length) >= sizeof self.text - 1) {
        std::fprintf(stderr, "ketamori: could not find the launcher's own file: %s\n",
                     length < 0 ? std::strerror(errno) : "its path is too long");
        return 1;
    }
    self.text[length] = '\0';
    *std::strrchr(self.text, '/') = '\0';
    Path program;
    Path helpFile;
    if (!join(program, self.text, programPath) || !join(helpFile, self.text, helpFilePath)) {
        std::fprintf(stderr, "ketamori: the program's path is too long\n");
        return 1;
    }

    Path data = dataFolder();
    if (!makeFolders(data.text))
        cannotPrepare(data);
    seedPlayerFiles(data);
    refreshHelpFile(data, helpFile.text);
    takeHugePages();

    // A second start on the same folder is no second copy: the program hands over to the one
    // running.
    if (chdir(data.text) != 0)
        cannotPrepare(data);
    char *const arguments[] = {program.text, nullptr};
    execv(program.text, arguments);
    const int error = errno;
    std::fprintf(stderr, "ketamori: could not start %s: %s\n", program.text, std::strerror(error));
    return error == ENOENT ? 127 : 126;
}
