#include "OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int MaxLinkSteps = 40;  // as the kernel's own limit on nested links
constexpr std::size_t WriteChunk = 1 << 16;

std::string SystemReason(int error) {
    return std::strerror(error);
}

// Where the bytes for path really go: the last target of a chain of symbolic links (which may
// not exist yet), or path itself. Fails on a loop or an unreadable link.
TFileOutcome FollowLinks(std::string& path) {
    for (int step = 0; step < MaxLinkSteps; ++step) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return {};
        std::string target(PATH_MAX, '\0');
        const ssize_t size = readlink(path.c_str(), target.data(), target.size());
        if (size < 0) return TFileOutcome::Failed(SystemReason(errno));
        target.resize(static_cast<std::size_t>(size));
        if (target.empty() || target[0] != '/') {
            const std::size_t slash = path.rfind('/');
            if (slash != std::string::npos) target = path.substr(0, slash + 1) + target;
        }
        path = std::move(target);
    }
    return TFileOutcome::Failed(SystemReason(ELOOP));
}

// Why a file of this type cannot take an output, or empty: devices are written in place.
std::string RefusedType(mode_t mode) {
    if (S_ISCHR(mode) || S_ISBLK(mode)) return {};
    return NotRegularReason(mode);
}

TFileOutcome WriteAll(int fd, std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const ssize_t written = write(fd, bytes.data() + pos, std::min(WriteChunk, bytes.size() - pos));
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return TFileOutcome::Failed(SystemReason(errno));
        if (written == 0) return TFileOutcome::Failed(SystemReason(EIO));
        pos += static_cast<std::size_t>(written);
    }
    return {};
}

// The open descriptor that names like "/dev/stdout" or "/proc/self/fd/3" stand for, or -1. Such a
// name is written through the descriptor itself, at its offset, as a shell redirection expects;
// following its link would reach a pipe, or a file the shell already holds open.
int DescriptorOf(const std::string& path) {
    if (path == "/dev/stdout") return STDOUT_FILENO;
    if (path == "/dev/stderr") return STDERR_FILENO;
    for (const std::string_view prefix : {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/")}) {
        if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) continue;
        int fd = 0;
        for (std::size_t i = prefix.size(); i < path.size(); ++i) {
            if (path[i] < '0' || path[i] > '9' || fd > 100000) return -1;
            fd = fd * 10 + (path[i] - '0');
        }
        return fcntl(fd, F_GETFD) == -1 ? -1 : fd;
    }
    return -1;
}

// Writes a device (or a terminal) in place: there is nothing to keep and nothing to rename.
TFileOutcome WriteInPlace(const std::string& path, std::string_view bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return TFileOutcome::Failed(SystemReason(errno));
    TFileOutcome outcome = WriteAll(fd, bytes);
    if (close(fd) != 0 && outcome) outcome = TFileOutcome::Failed(SystemReason(errno));
    return outcome;
}

// Replaces the regular file at path (or makes it) through a temporary file beside it. A file
// that is replaced keeps its permissions; a new one gets the usual 0666 less the umask.
TFileOutcome ReplaceRegular(const std::string& path, std::string_view bytes, const struct stat* old) {
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return TFileOutcome::Failed(SystemReason(errno));
    mode_t mode = 0;
    if (old) {
        mode = old->st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    fchmod(fd, mode);
    TFileOutcome outcome = WriteAll(fd, bytes);
    if (outcome && fsync(fd) != 0) outcome = TFileOutcome::Failed(SystemReason(errno));
    if (close(fd) != 0 && outcome) outcome = TFileOutcome::Failed(SystemReason(errno));
    if (outcome && std::rename(temporary.c_str(), path.c_str()) != 0)
        outcome = TFileOutcome::Failed(SystemReason(errno));
    if (!outcome) std::remove(temporary.c_str());
    return outcome;
}

}  // namespace

TFileOutcome CheckOutputPath(const std::string& path) {
    if (path.empty()) return TFileOutcome::Failed("no file name");
    if (DescriptorOf(path) >= 0) return {};
    std::string target = path;
    if (TFileOutcome followed = FollowLinks(target); !followed) return followed;
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) return {};
    if (std::string refused = RefusedType(info.st_mode); !refused.empty()) return TFileOutcome::Failed(refused);
    return {};
}

TFileOutcome WriteOutputFile(const std::string& path, std::string_view bytes) {
    if (const int fd = DescriptorOf(path); fd >= 0) return WriteAll(fd, bytes);
    if (TFileOutcome checked = CheckOutputPath(path); !checked) return checked;
    std::string target = path;
    if (TFileOutcome followed = FollowLinks(target); !followed) return followed;
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) {
        if (errno != ENOENT) return TFileOutcome::Failed(SystemReason(errno));
        return ReplaceRegular(target, bytes, nullptr);
    }
    if (S_ISREG(info.st_mode)) return ReplaceRegular(target, bytes, &info);
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) return WriteInPlace(target, bytes);
    return TFileOutcome::Failed(RefusedType(info.st_mode));
}

bool IsSameFile(const std::string& first, const std::string& second) {
    struct stat a {}, b {};
    return stat(first.c_str(), &a) == 0 && stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}
