#include "report/ReportTestSupport.h"
#include "report/ReportFolder.h"
#include "report/ResultsRecord.h"

#include "exercise/Appearance.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace pestrol {
namespace {

namespace fs = std::filesystem;
using test::Rows;
using test::ScopedEnvironment;
using test::SheetRows;
using test::TempFolder;

const std::wstring kTitle = L"00517 Тренажер «Пестроль»";
const std::string kFileName = "00517 Тренажер «Пестроль».xls";

std::time_t LocalTime(int year, int month, int day, int hour, int minute)
{
    std::tm local {};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

TEST(ResultsRecord, StartTimesAreWrittenWithEnglishMonthsAndTwoDigitFields)
{
    EXPECT_EQ(FormatStartTime(LocalTime(2008, 12, 9, 14, 5)), L"09-December-2008 14:05");
    EXPECT_EQ(FormatStartTime(LocalTime(2009, 3, 1, 9, 5)), L"01-March-2009 09:05");
    EXPECT_EQ(FormatStartTime(LocalTime(2024, 5, 31, 0, 0)), L"31-May-2024 00:00");
}

TEST(ResultsRecord, NumbersArePlainDecimals)
{
    EXPECT_EQ(FormatNumber(0), L"0");
    EXPECT_EQ(FormatNumber(-1), L"-1");
    EXPECT_EQ(FormatNumber(1234567), L"1234567");
    EXPECT_EQ(FormatNumber(5000000000LL), L"5000000000");
}

// A report folder of our own in place of /var/lib, and a user folder for the fallback.
class ResultsRecordFiles : public testing::Test {
protected:
    std::string SharedFolder() const { return folder_ / "shared"; }
    std::string UserFolder() const { return folder_ / "user"; }
    std::string SharedReport() const { return SharedFolder() + "/VESK/" + kFileName; }
    std::string UserReport() const { return UserFolder() + "/VESK/" + kFileName; }

    void SetUp() override { fs::create_directory(SharedFolder()); }

    // One attempt: 17 attribute times, two extra instruction calls, 65 seconds.
    void Attempt(ResultsRecord& record)
    {
        record.BeginAttempt();
        now_ += 65;
        for (int i = 0; i < kAttributeCount; ++i)
            record.AddReportRow(std::wstring(kAttributeLabels[i]), FormatNumber(i * 100), L"Number");
        record.CountExtraInstructionCall();
        record.CountExtraInstructionCall();
        record.EndAttempt();
    }

    Rows AttemptRows() const
    {
        Rows rows { { L"Время начала работы с упражнением", FormatStartTime(kStart) } };
        for (int i = 0; i < kAttributeCount; ++i)
            rows.push_back({ std::wstring(kAttributeLabels[i]), FormatNumber(i * 100) });
        rows.push_back({ L"Количество дополнительных вызовов инструкций", L"2" });
        rows.push_back({ L"Общее время работы с упражнением. с.", L"65" });
        rows.push_back({});
        return rows;
    }

    // The unprivileged child must be able to make its folders.
    void OpenToEveryone()
    {
        fs::permissions(folder_.Path(), fs::perms::all);
        fs::permissions(SharedFolder(), fs::perms::all);
    }

    ResultsRecord::Clock Clock()
    {
        return [this] { return now_; };
    }

    static constexpr std::time_t kStart = 1228831500;
    std::time_t now_ = kStart;
    TempFolder folder_;
    ScopedEnvironment shared_ { "PESTROL_SHARED_DIR", SharedFolder().c_str() };
    ScopedEnvironment user_ { "XDG_DATA_HOME", UserFolder().c_str() };
};

TEST_F(ResultsRecordFiles, AFirstRunCreatesTheFolderAndTheFileWithThePupilsWorksheet)
{
    {
        ResultsRecord record(kTitle, Clock());
        record.OpenReport(L"Ivanov");
        Attempt(record);
        now_ = kStart;
        record.SaveReport();
    }
    EXPECT_EQ(SheetRows(SharedReport()), (std::map<std::wstring, Rows> { { L"Ivanov", AttemptRows() } }));
    EXPECT_FALSE(fs::exists(UserFolder()));
}

TEST_F(ResultsRecordFiles, LaterRunsAppendBelowTheOldRowsOrInANewWorksheet)
{
    for (const wchar_t* name : { L"Ivanov", L"Ivanov", L"Петрова" }) {
        ResultsRecord record(kTitle, Clock());
        record.OpenReport(name);
        Attempt(record);
        now_ = kStart;
    }
    Rows twice = AttemptRows();
    const Rows once = AttemptRows();
    twice.insert(twice.end(), once.begin(), once.end());
    const auto sheets = SheetRows(SharedReport());
    EXPECT_EQ(sheets.at(L"Ivanov"), twice);
    EXPECT_EQ(sheets.at(L"Петрова"), once);
}

TEST_F(ResultsRecordFiles, ARetryWithTheSameNameKeepsBothSetsOfRows)
{
    ResultsRecord record(kTitle, Clock());
    record.OpenReport(L"Иванов");
    Attempt(record);
    now_ = kStart;
    record.OpenReport(L"Иванов");
    Attempt(record);
    record.SaveReport();
    EXPECT_EQ(SheetRows(SharedReport()).at(L"Иванов").size(), 2 * AttemptRows().size());
}

TEST_F(ResultsRecordFiles, AnEmptyNameWritesNothingAnywhere)
{
    {
        ResultsRecord record(kTitle, Clock());
        record.OpenReport(L"");
        EXPECT_EQ(record.Report(), nullptr);
        Attempt(record);
        record.SaveReport();
        EXPECT_FALSE(record.SaveReportAs(FromUtf8(folder_ / "copy.xls")));
    }
    EXPECT_TRUE(fs::is_empty(SharedFolder()));
    EXPECT_FALSE(fs::exists(UserFolder()));
    EXPECT_FALSE(fs::exists(folder_ / "copy.xls"));
}

TEST_F(ResultsRecordFiles, AnUnusableSharedFolderSendsTheReportToTheUserFolder)
{
    test::WriteBytes(SharedFolder() + "/file", "not a folder");
    const ScopedEnvironment shared("PESTROL_SHARED_DIR", (SharedFolder() + "/file").c_str());
    testing::internal::CaptureStderr();
    {
        ResultsRecord record(kTitle, Clock());
        record.OpenReport(L"Иванов");
        Attempt(record);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(UserFolder() + "/VESK"), std::string::npos) << said;
    EXPECT_EQ(SheetRows(UserReport()).at(L"Иванов"), AttemptRows());
}

TEST_F(ResultsRecordFiles, WithoutHomeOrDataFolderTheUserFolderComesFromThePasswordFile)
{
    const ScopedEnvironment home("HOME", nullptr);
    const ScopedEnvironment data("XDG_DATA_HOME", "relative/is/ignored");
    EXPECT_EQ(UserReportFolder().empty(), false);
    EXPECT_EQ(ToUtf8(UserReportFolder()).find("relative"), std::string::npos);
}

TEST_F(ResultsRecordFiles, AReadOnlySharedFolderSendsTheReportToTheUserFolder)
{
    OpenToEveryone();
    const int result = test::RunUnprivileged([&] {
        fs::create_directories(SharedFolder() + "/VESK");
        fs::permissions(SharedFolder() + "/VESK", fs::perms::owner_read | fs::perms::owner_exec);
        ResultsRecord record(kTitle, Clock());
        record.OpenReport(L"Иванов");
        Attempt(record);
        record.SaveReport();
        return SheetRows(UserReport()).at(L"Иванов") == AttemptRows() ? 0 : 1;
    });
    EXPECT_EQ(result, 0);
}

TEST_F(ResultsRecordFiles, ASaveThatCannotBeWrittenKeepsItsRowsInTheUserFolder)
{
    OpenToEveryone();
    const int result = test::RunUnprivileged([&] {
        ResultsRecord record(kTitle, Clock());
        record.OpenReport(L"Иванов");
        record.BeginAttempt();
        // The shared folder turns read-only while the pupil works.
        fs::permissions(SharedFolder() + "/VESK", fs::perms::owner_read | fs::perms::owner_exec);
        record.EndAttempt();
        record.SaveReport();
        const bool shared = fs::exists(SharedReport());
        return !shared && SheetRows(UserReport()).at(L"Иванов").size() == 4 ? 0 : 1;
    });
    EXPECT_EQ(result, 0);
}

TEST_F(ResultsRecordFiles, SaveAsToAnImpossiblePathSaysSoAndTheReportGoesOn)
{
    ResultsRecord record(kTitle, Clock());
    record.OpenReport(L"Иванов");
    Attempt(record);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(record.SaveReportAs(FromUtf8(folder_ / "missing/copy.xls")));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("missing/copy.xls"), std::string::npos);
    EXPECT_TRUE(record.SaveReportAs(FromUtf8(folder_ / "copy.xls")));
    EXPECT_EQ(ToUtf8(record.Report()->Path()), SharedReport());
    record.SaveReport();
    EXPECT_EQ(test::ReadBytes(folder_ / "copy.xls"), test::ReadBytes(SharedReport()));
}

}  // namespace
}  // namespace pestrol
