// SPDX-License-Identifier: MIT
// The atomic save on POSIX: mkstemp in the same folder, fsync, rename, fsync of the folder.
#include "settings/settings_disk.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "libs/file/lf_text.h"

namespace {

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Links followed before a chain counts as a loop, as the kernel counts them.
constexpr int kMaxLinkHops = 40;

// A symbolic link is replaced through its target, so the link survives the rename; a link to a file not yet
// there gets that file. A chain that never ends (a loop) gives false with ELOOP: replacing the link by a plain
// file would silently undo what its owner set up.
bool resolveTarget(const std::string& path, std::string* target) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            *target = current;
            return true;
        }
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), buffer, sizeof buffer);
        if (length < 0) return false;
        if (static_cast<size_t>(length) == sizeof buffer) {
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string next(buffer, static_cast<size_t>(length));
        current = (next.empty() || next[0] == '/') ? next : folderOf(current) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

// Temporary files of saves killed before their rename: "<name>.tmp-XXXXXX" older than a minute (a younger
// one may belong to another instance saving right now).
void removeStaleTemporaries(const std::string& target) {
    const std::string folder = folderOf(target);
    const size_t slash = target.find_last_of('/');
    const std::string prefix = (slash == std::string::npos ? target : target.substr(slash + 1)) + ".tmp-";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string path = folder + "/" + name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime > 60) ::unlink(path.c_str());
    }
    ::closedir(dir);
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool writeFileAtomically(const std::wstring& path, const std::string& bytes, std::string* problem) {
    const auto fail = [problem](int error) {
        if (problem) *problem = std::strerror(error);
        return false;
    };
    if (path.empty()) return fail(ENOENT);
    std::string target;
    if (!resolveTarget(utf8FromWide(path), &target)) return fail(errno);
    removeStaleTemporaries(target);
    std::string tmpName = target + ".tmp-XXXXXX";
    std::vector<char> tmpl(tmpName.begin(), tmpName.end());
    tmpl.push_back('\0');
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return fail(errno);
    tmpName = tmpl.data();

    // Keep the old file's permissions; a new file gets what fopen "w" would give under a usual umask.
    struct stat old {};
    const mode_t mode = (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ? (old.st_mode & 07777) : 0644;
    // A failed chmod leaves mkstemp's 0600, which still works for the user: not a reason to fail.
    (void)::fchmod(fd, mode);
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) ok = false, error = errno;
    if (ok && ::rename(tmpName.c_str(), target.c_str()) != 0) ok = false, error = errno;
    if (!ok) {
        ::unlink(tmpName.c_str());
        return fail(error);
    }
    syncFolder(folderOf(target));
    return true;
}
