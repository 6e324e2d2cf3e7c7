#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace pestrol::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Sets (or, with nullptr, unsets) an environment variable for the scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    bool had_;
    std::string old_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
std::vector<std::string> FilesIn(const std::string& folder);

// The rows of every worksheet of a saved report, by the worksheet's ss:Name, each row the
// texts of its cells; an empty map when the file does not parse as a workbook.
using Rows = std::vector<std::vector<std::wstring>>;
std::map<std::wstring, Rows> SheetRows(const std::string& path);

// Runs the function in a child process, as an unprivileged user when this runs as root,
// so that folder permissions apply; answers the function's result, or -1 when the child
// died otherwise.
int RunUnprivileged(const std::function<int()>& body);
// The same without changing the user.
int RunInChild(const std::function<int()>& body);

}  // namespace pestrol::test
