#pragma once

#include <string>

namespace pestrol {

// The folder of the report file: "VESK" in the machine's shared data folder (/var/lib, or
// the folder named by PESTROL_SHARED_DIR, for instance a lab's network share), created
// there if missing. When it cannot be created or written, "VESK" in the user's data folder
// ($XDG_DATA_HOME, by default ~/.local/share), so that a run started from a desktop
// launcher loses nothing; when neither can be had, empty: the current folder.
std::wstring ReportFolder();

// The user's "VESK" folder, created with its parents if missing; empty if that fails.
std::wstring UserReportFolder();

// The window title with ".xls", in the folder (alone when the folder is empty).
std::wstring ReportFilePath(const std::wstring& folder, const std::wstring& windowTitle);

}  // namespace pestrol
