#include "report/ReportFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace pestrol {

namespace fs = std::filesystem;

namespace {

constexpr auto kLockWait = std::chrono::seconds(10);
constexpr auto kLockPoll = std::chrono::milliseconds(20);
constexpr int kAsideAttempts = 1000;

std::string SystemError(std::string_view what, const std::string& path)
{
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}

std::string FolderOf(const std::string& path)
{
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

std::string SiblingPath(const std::string& path, const std::string& name)
{
    return (fs::path(path).parent_path() / name).string();
}

// ".name" followed by the suffix, beside the file: out of the teacher's sight.
std::string HiddenSibling(const std::string& path, std::string_view suffix)
{
    std::string name(1, '.');
    name += fs::path(path).filename().string();
    name += suffix;
    return SiblingPath(path, name);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string TemporaryName(const std::string& path)
{
    static std::atomic<unsigned> counter { 0 };
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    std::string suffix(1, '.');
    suffix += std::to_string(::getpid());
    suffix += '-';
    suffix += std::to_string(counter++);
    suffix += '-';
    suffix += std::to_string(now % 1000000);
    suffix += ".tmp";
    return HiddenSibling(path, suffix);
}

// A rename into the folder is durable only once the folder itself reaches the disk.
void SyncFolder(const std::string& path)
{
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool WriteTemporary(int fd, std::string_view bytes, const std::string& name, std::string& error)
{
    if (!WriteAll(fd, bytes)) {
        error = SystemError("cannot write", name);
        return false;
    }
    if (::fsync(fd) != 0) {
        error = SystemError("cannot flush", name);
        return false;
    }
    return true;
}

bool RenameWithoutReplacing(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL)
        return false;
    // File systems without the no-replace rename still refuse to link over a name.
    return ::link(from.c_str(), to.c_str()) == 0 && ::unlink(from.c_str()) == 0;
}

std::string AsideName(const std::string& path, int attempt)
{
    const fs::path p(path);
    return SiblingPath(path,
        p.stem().string() + ".unreadable-" + std::to_string(attempt) + p.extension().string());
}

bool TryLock(int fd)
{
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

}  // namespace

void ReportWarning(std::string_view text)
{
    std::fprintf(stderr, "pestrol: %.*s\n", static_cast<int>(text.size()), text.data());
}

ReportFileContents ReadReportFile(const std::string& path)
{
    ReportFileContents contents;
    std::FILE* file = std::fopen(path.c_str(), "rbe");
    if (file == nullptr) {
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        contents.status = missing ? ReportFileContents::Status::Missing
                                  : ReportFileContents::Status::Unreadable;
        contents.error = SystemError("cannot open", path);
        return contents;
    }
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        contents.bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    contents.status = failed ? ReportFileContents::Status::Unreadable
                             : ReportFileContents::Status::Read;
    if (failed)
        contents.error = "cannot read " + path;
    return contents;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error)
{
    const std::string temporary = TemporaryName(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = SystemError("cannot create", temporary);
        return false;
    }
    bool done = WriteTemporary(fd, bytes, temporary, error);
    if (::close(fd) != 0 && done) {
        error = SystemError("cannot close", temporary);
        done = false;
    }
    if (done && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = SystemError("cannot replace", path);
        done = false;
    }
    if (!done) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(path);
    return true;
}

std::optional<std::string> KeepAside(const std::string& path, std::string& error)
{
    for (int attempt = 1; attempt <= kAsideAttempts; ++attempt) {
        const std::string aside = AsideName(path, attempt);
        if (RenameWithoutReplacing(path, aside)) {
            SyncFolder(path);
            return aside;
        }
        if (errno != EEXIST) {
            error = SystemError("cannot rename", path);
            return std::nullopt;
        }
    }
    error = "no free name beside " + path;
    return std::nullopt;
}

ReportFileLock::ReportFileLock(const std::string& path)
{
    const std::string lockPath = HiddenSibling(path, ".lock");
    fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        error_ = SystemError("cannot open", lockPath);
        return;
    }
    // Every pupil's account must be able to take the lock in a shared folder.
    ::fchmod(fd_, 0666);
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (!(held_ = TryLock(fd_)) && (errno == EAGAIN || errno == EACCES || errno == EINTR)
        && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kLockPoll);
    if (!held_)
        error_ = SystemError("cannot lock", lockPath);
}

ReportFileLock::~ReportFileLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

}  // namespace pestrol
