#include "report/ReportFolder.h"

#include "platform/Utf8.h"
#include "report/ReportFile.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace pestrol {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFolderName = "VESK";

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

fs::path SharedDataFolder()
{
    const std::string shared = Environment("PESTROL_SHARED_DIR");
    return shared.empty() ? fs::path("/var/lib") : fs::path(shared);
}

fs::path HomeFolder()
{
    const std::string home = Environment("HOME");
    if (!home.empty())
        return home;
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? fs::path(user->pw_dir) : fs::path();
}

// Relative values are to be ignored, as the base directory rules say.
fs::path UserDataFolder()
{
    const fs::path data = Environment("XDG_DATA_HOME");
    if (data.is_absolute())
        return data;
    const fs::path home = HomeFolder();
    return home.empty() ? fs::path() : home / ".local" / "share";
}

bool Writable(const fs::path& folder)
{
    std::error_code error;
    return fs::is_directory(folder, error) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// The shared folder is created one level deep only: its parent belongs to the machine.
bool MakeSharedFolder(const fs::path& folder)
{
    std::error_code error;
    fs::create_directory(folder, error);
    return Writable(folder);
}

bool MakeUserFolder(const fs::path& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    return Writable(folder);
}

}  // namespace

std::wstring UserReportFolder()
{
    const fs::path data = UserDataFolder();
    if (data.empty() || !MakeUserFolder(data / kFolderName))
        return {};
    return FromUtf8((data / kFolderName).string());
}

std::wstring ReportFolder()
{
    const fs::path shared = SharedDataFolder() / kFolderName;
    if (MakeSharedFolder(shared))
        return FromUtf8(shared.string());
    const std::wstring user = UserReportFolder();
    ReportWarning("the report folder " + shared.string() + " cannot be created or written; "
        + (user.empty() ? std::string("the report goes to the current folder")
                        : "the report goes to " + ToUtf8(user)));
    return user;
}

std::wstring ReportFilePath(const std::wstring& folder, const std::wstring& windowTitle)
{
    const std::wstring name = windowTitle + L".xls";
    return folder.empty() ? name : folder + L"/" + name;
}

}  // namespace pestrol
