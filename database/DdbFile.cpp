#include "database/DdbFile.h"

#include "database/DbTexts.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace trv::db {
namespace {

std::string withPath(const char* pattern, const std::string& path)
{
    std::string text = pattern;
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, path);
    return text;
}

// The standard file-error report for an operating-system error while opening a file.
std::string openErrorText(int err, const std::string& path, const char* fallback)
{
    switch (err) {
    case ENOENT:
        return withPath(text::kFileNotFound, path);
    case EACCES:
    case EPERM:
    case EROFS:
        return withPath(text::kAccessDenied, path);
    case ENOTDIR:
    case ENAMETOOLONG:
        return withPath(text::kInvalidPath, path);
    case EWOULDBLOCK:
        return withPath(text::kSharingViolation, path);
    case ENOSPC:
    case EDQUOT:
        return withPath(text::kDiskFull, path);
    default:
        return fallback;
    }
}

// Closes a descriptor on every path out of a function.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Reads until count bytes are in or the file ends; returns the bytes read or -1 on error.
ssize_t readFully(int fd, std::uint8_t* buffer, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd, buffer + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

bool writeFully(int fd, const std::uint8_t* data, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd, data + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

FileResult loadDatabase(const std::string& path, Image& image)
{
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return FileResult::failure(openErrorText(errno, path, text::kFailedToOpen));
    // Writers that honour advisory locks wait while we read.
    if (::flock(fd.get(), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        return FileResult::failure(withPath(text::kSharingViolation, path));

    // Read into a scratch image first so that nothing of a refused file reaches the real one.
    Image incoming{};
    const ssize_t n = readFully(fd.get(), incoming.data(), incoming.size());
    if (n < 0)
        return FileResult::failure(withPath(text::kReadError, path));
    if (n == 0)
        return FileResult::failure({});
    if (n < kHeaderSize)
        return FileResult::failure(text::kUnexpectedFormat);
    if (!hasMagic(incoming))
        return FileResult::failure(text::kUnknownVersion);
    // A correct header on a truncated body must not load as if it were whole.
    if (n < kImageSize)
        return FileResult::failure(text::kUnexpectedFormat);

    image = incoming;
    return FileResult::success();
}

FileResult checkFolderWritable(const std::string& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return FileResult::failure(withPath(text::kFolderMissing, folder));
    // The save's own first step, undone at once: permissions, ACLs and read-only mounts all count.
    std::string probe = folder + "/.trv-save-XXXXXX";
    Fd fd(::mkstemp(probe.data()));
    if (fd.get() < 0)
        return FileResult::failure(openErrorText(errno, folder, text::kFailedToSave));
    ::unlink(probe.c_str());
    return FileResult::success();
}

FileResult checkSavable(const std::string& path)
{
    struct stat info {};
    if (!path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return FileResult::failure(withPath(text::kIsFolder, path));
    if (path.empty() || path.back() == '/')
        return FileResult::failure(withPath(text::kInvalidPath, path));
    return checkFolderWritable(folderOf(path));
}

namespace {

// The image in a new temporary file of the folder, flushed to disk; its path in `temp`. The
// file's mode is `mode`, or 0666 less the umask when none is given.
FileResult writeTemporary(const std::string& path, const Image& image, std::string& temp,
                          std::optional<mode_t> mode = std::nullopt)
{
    temp = folderOf(path) + "/.trv-save-XXXXXX";
    Fd fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        return FileResult::failure(openErrorText(errno, path, text::kFailedToSave));
    if (!mode) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd.get(), *mode);

    const bool written = writeFully(fd.get(), image.data(), image.size()) && ::fsync(fd.get()) == 0;
    const int writeErrno = errno;
    if (::close(fd.release()) != 0 || !written) {
        ::unlink(temp.c_str());
        return FileResult::failure(writeErrno == ENOSPC || writeErrno == EDQUOT
                                       ? withPath(text::kDiskFull, path)
                                       : withPath(text::kWriteError, path));
    }
    return FileResult::success();
}

// Makes a rename or link in the folder durable.
void syncFolder(const std::string& path)
{
    Fd dir(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

// Gives the written temporary file the name `path` unless a file of that name exists: a hard
// link, atomic against any other writer; where the file system has no hard links, a rename that
// refuses to replace. 0, or the errno (EEXIST: the name is taken).
int placeWithoutReplacing(const std::string& temp, const std::string& path)
{
    if (::link(temp.c_str(), path.c_str()) == 0)
        return 0;
    const int err = errno;
    if (err != EPERM && err != EOPNOTSUPP && err != EMLINK)
        return err;
    return ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0 ? 0 : errno;
}

} // namespace

FileResult saveDatabase(const std::string& path, const Image& image)
{
    // Keep the permissions of the file being replaced; a new file gets the usual 0666 & ~umask.
    std::optional<mode_t> mode;
    if (struct stat old{}; ::stat(path.c_str(), &old) == 0)
        mode = old.st_mode & 07777;
    std::string temp;
    if (FileResult written = writeTemporary(path, image, temp, mode); !written.ok)
        return written;
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return FileResult::failure(openErrorText(err, path, text::kFailedToSave));
    }
    syncFolder(path);
    return FileResult::success();
}

FileResult saveDatabaseAsNew(const std::function<std::string(int)>& candidate, const Image& image,
                             std::string& placed)
{
    const std::string first = candidate(1);
    std::string temp;
    if (FileResult written = writeTemporary(first, image, temp); !written.ok)
        return written;
    FileResult result = FileResult::failure(text::kFailedToSave); // every name taken
    for (int attempt = 1; attempt <= kNewFileAttempts; ++attempt) {
        const std::string path = candidate(attempt);
        const int err = placeWithoutReplacing(temp, path);
        if (err == EEXIST)
            continue;
        if (err == 0) {
            placed = path;
            result = FileResult::success();
        } else {
            result = FileResult::failure(openErrorText(err, path, text::kFailedToSave));
        }
        break;
    }
    ::unlink(temp.c_str()); // the link has its own name now; after a rename this finds nothing
    if (result.ok)
        syncFolder(placed);
    return result;
}

} // namespace trv::db
