#include "report/ReportTestSupport.h"
#include "report/SpreadsheetReport.h"

#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace pestrol {
namespace {

using test::ReadBytes;
using test::SheetRows;
using test::TempFolder;

void AddRows(SpreadsheetReport& report, int count)
{
    for (int i = 0; i < count; ++i)
        report.AddRow(L"Строка отчёта номер " + std::to_wstring(i), std::to_wstring(i), L"Number");
}

std::string SavedReport(const std::string& path, const std::wstring& pupil, int rows)
{
    SpreadsheetReport report(FromUtf8(path), pupil);
    AddRows(report, rows);
    report.Save();
    return ReadBytes(path);
}

TEST(ReportSaving, AWriteThatFailsLeavesTheOldFileAndNoTemporaryFile)
{
    TempFolder folder;
    const std::string path = folder / "report.xls";
    const std::string old = SavedReport(path, L"Иванов", 3);

    // A file size limit makes the write fail midway, as a full disk does.
    const int result = test::RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { 4096, 4096 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        SpreadsheetReport report(FromUtf8(path), L"Петрова");
        AddRows(report, 500);
        return report.Save() ? 1 : 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(test::FilesIn(folder.Path()), (std::vector<std::string> { ".report.xls.lock", "report.xls" }));
}

TEST(ReportSaving, AKillDuringASaveLeavesTheOldFileOrTheNewOneWhole)
{
    TempFolder folder;
    const std::string path = folder / "report.xls";
    SavedReport(path, L"Иванов", 3);
    for (int delay = 1; delay <= 256; delay *= 2) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (;;) {
                SpreadsheetReport report(FromUtf8(path), L"Петрова");
                AddRows(report, 2000);
                report.Save();
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const auto sheets = SheetRows(path);
        ASSERT_EQ(sheets.count(L"Иванов"), 1u) << "after " << delay << " ms";
        EXPECT_EQ(sheets.at(L"Иванов").size(), 3u);
        if (sheets.count(L"Петрова") != 0) {
            EXPECT_EQ(sheets.at(L"Петрова").size() % 2000, 0u);
        }
    }
}

TEST(ReportSaving, ProgramsSavingTheSameFileAtOnceLoseNoRow)
{
    TempFolder folder;
    const std::string path = folder / "report.xls";
    constexpr int kPrograms = 3;
    constexpr int kSaves = 8;
    std::vector<pid_t> children;
    for (int p = 0; p < kPrograms; ++p) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int s = 0; s < kSaves; ++s) {
                SpreadsheetReport report(FromUtf8(path), L"Ученик " + std::to_wstring(p));
                report.AddRow(L"Попытка", std::to_wstring(s), L"Number");
                if (!report.Save())
                    ::_exit(1);
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const auto sheets = SheetRows(path);
    ASSERT_EQ(sheets.size(), static_cast<std::size_t>(kPrograms));
    for (const auto& [name, rows] : sheets) {
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(kSaves)) << ToUtf8(name);
        for (int s = 0; s < kSaves; ++s)
            EXPECT_EQ(rows[s].at(1), std::to_wstring(s));
    }
}

}  // namespace
}  // namespace pestrol
