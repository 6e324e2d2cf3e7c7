#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pestrol {

// File operations of the report, on UTF-8 paths. None of them throws; failures come back
// with the system's reason in `error`.

// Tells whoever runs the program, on stderr, what became of a report file; the pupil is
// never bothered with it.
void ReportWarning(std::string_view text);

struct ReportFileContents {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    std::string bytes;
    std::string error;
};

// A path that does not name a file (or whose folder does not exist) is Missing; a file
// that exists but cannot be read is Unreadable.
ReportFileContents ReadReportFile(const std::string& path);

// Writes a temporary file in the target's folder, flushes it to the disk and renames it
// over the target: readers, a crash or a full disk see the old file or the new one, never
// a part. The temporary file is removed when anything fails.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Renames the file to a free name beside it ("name.unreadable-1.xls", "-2", …) without
// replacing anything there, and answers the new name.
std::optional<std::string> KeepAside(const std::string& path, std::string& error);

// An exclusive lock on the report file, held by a lock file beside it (".name.lock"), so
// that programs on this machine or on a network share take turns at updating the file.
// The lock file stays: removing it would let two programs lock different files.
class ReportFileLock {
public:
    explicit ReportFileLock(const std::string& path);
    ~ReportFileLock();
    ReportFileLock(const ReportFileLock&) = delete;
    ReportFileLock& operator=(const ReportFileLock&) = delete;

    // False when the lock file could not be opened or the lock was not granted in time.
    bool Held() const { return held_; }
    const std::string& Error() const { return error_; }

private:
    int fd_ = -1;
    bool held_ = false;
    std::string error_;
};

}  // namespace pestrol
