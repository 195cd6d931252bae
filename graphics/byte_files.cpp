#include "graphics/byte_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/report.h"

namespace {

void reporterror(const char* operation, int error) {
    reportfailure(operation, std::string("Error #") + std::strerror(error));
}

// Closes the descriptor when the scope ends, whichever way it ends.
struct FileHandle {
    int fd = -1;
    ~FileHandle() {
        if (fd >= 0) ::close(fd);
    }
};

// Reads to the end of the file, with the size bound checked as the bytes arrive (a file may
// grow while it is read). Answers 0 or an errno.
int readall(int fd, int64_t expected, int64_t largest, std::vector<uint8_t>& out) {
    out.resize(static_cast<size_t>(expected > 0 ? expected : 4096));
    size_t filled = 0;
    for (;;) {
        if (filled == out.size()) {
            if (static_cast<int64_t>(out.size()) >= largest + 1) return EFBIG;
            out.resize(std::min<size_t>(out.size() * 2, static_cast<size_t>(largest) + 1));
        }
        const ssize_t got = ::read(fd, out.data() + filled, out.size() - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (got == 0) break;
        filled += static_cast<size_t>(got);
    }
    if (static_cast<int64_t>(filled) > largest) return EFBIG;
    out.resize(filled);
    return 0;
}

int writeall(int fd, const std::vector<uint8_t>& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t put = ::write(fd, data.data() + done, data.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<size_t>(put);
    }
    return 0;
}

// A device, pipe or socket cannot be replaced by a renamed file without destroying the node
// (as root even /dev/null): it is written in place, and a full device reports its error. A
// pipe without a reader reports ENXIO instead of blocking.
bool isspecialfile(const std::string& target) {
    struct stat info {};
    return ::stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
}

int writeinplace(const std::string& target, const std::vector<uint8_t>& data) {
    FileHandle file{::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) return errno;
    return writeall(file.fd, data);
}

}  // namespace

std::string writetarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

int createbeside(const std::string& target, std::string& temporary, int& fd) {
    static std::atomic<uint64_t> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target + ".part" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return 0;
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

std::vector<uint8_t> getbinaryfromfile(const std::string& path, int64_t largest) {
    largest = std::clamp<int64_t>(largest, 0, largestbinaryfile);
    FileHandle file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    int error = file.fd < 0 ? errno : 0;
    struct stat info {};
    if (error == 0 && ::fstat(file.fd, &info) != 0) error = errno;
    // Only plain files: a pipe or device could block or never end.
    if (error == 0 && S_ISDIR(info.st_mode)) error = EISDIR;
    if (error == 0 && !S_ISREG(info.st_mode)) error = EINVAL;
    if (error == 0 && info.st_size > largest) error = EFBIG;
    std::vector<uint8_t> data;
    if (error == 0) error = readall(file.fd, info.st_size, largest, data);
    if (error != 0) {
        reporterror("getbinaryfromfile", error);
        return {};
    }
    return data;
}

int64_t setbinarytofile(const std::string& path, const std::vector<uint8_t>& data) {
    const std::string target = writetarget(path);
    if (isspecialfile(target)) {
        const int error = writeinplace(target, data);
        if (error != 0) reporterror("setbinarytofile", error);
        return error;
    }
    std::string temporary;
    FileHandle file;
    int error = createbeside(target, temporary, file.fd);
    if (error == 0) {
        // The new file got the creation mode less the umask; a replaced file keeps its own mode.
        struct stat info {};
        if (::stat(target.c_str(), &info) == 0 && ::fchmod(file.fd, info.st_mode & 07777) != 0) error = errno;
    }
    if (error == 0) error = writeall(file.fd, data);
    if (error == 0 && ::fsync(file.fd) != 0) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        if (file.fd >= 0) ::unlink(temporary.c_str());
        reporterror("setbinarytofile", error);
        return error;
    }
    return 0;
}

int64_t getbinaryint32(const std::vector<uint8_t>& data, int64_t offset) {
    if (offset < 0 || offset > static_cast<int64_t>(data.size()) - 4) return 0;
    const uint8_t* p = data.data() + offset;
    return (int64_t{p[0]} << 24) | (int64_t{p[1]} << 16) | (int64_t{p[2]} << 8) | int64_t{p[3]};
}
