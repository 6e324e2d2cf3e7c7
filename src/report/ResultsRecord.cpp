#include "report/ResultsRecord.h"

#include "platform/Utf8.h"
#include "report/ReportFile.h"
#include "report/ReportFolder.h"

#include <clocale>
#include <cwchar>
#include <locale.h>

namespace pestrol {

namespace {

constexpr const wchar_t* kStartLabel = L"Время начала работы с упражнением";
constexpr const wchar_t* kCountLabel = L"Количество дополнительных вызовов инструкций";
constexpr const wchar_t* kTotalLabel = L"Общее время работы с упражнением. с.";
constexpr const wchar_t* kString = L"String";
constexpr const wchar_t* kNumber = L"Number";

locale_t ClassicLocale()
{
    static const locale_t classic = ::newlocale(LC_ALL_MASK, "C", nullptr);
    return classic;
}

}  // namespace

std::wstring FormatStartTime(std::time_t time)
{
    std::tm local {};
    ::localtime_r(&time, &local);
    const locale_t previous = ::uselocale(ClassicLocale());
    wchar_t buffer[128];
    const std::size_t length = std::wcsftime(buffer, 128, L"%d-%B-%Y %H:%M", &local);
    ::uselocale(previous);
    return std::wstring(buffer, length);
}

std::wstring FormatNumber(std::int64_t number)
{
    return std::to_wstring(number);
}

ResultsRecord::ResultsRecord(std::wstring windowTitle, Clock clock)
    : windowTitle_(std::move(windowTitle))
    , clock_(std::move(clock))
{
}

ResultsRecord::~ResultsRecord()
{
    SaveReport();
}

void ResultsRecord::OpenReport(const std::wstring& pupilName)
{
    if (pupilName.empty())
        return;
    SaveReport();
    auto next = std::make_unique<SpreadsheetReport>(
        ReportFilePath(ReportFolder(), windowTitle_), pupilName);
    report_ = std::move(next);
}

void ResultsRecord::AddReportRow(
    const std::wstring& label, const std::wstring& value, const std::wstring& type)
{
    if (report_)
        report_->AddRow(label, value, type);
}

void ResultsRecord::SaveReport()
{
    if (!report_ || report_->Save())
        return;
    const std::string failure = "the report cannot be saved to " + ToUtf8(report_->Path()) + " ("
        + report_->LastError() + ")";
    const std::wstring folder = UserReportFolder();
    const std::wstring fallback = ReportFilePath(folder, windowTitle_);
    if (folder.empty() || fallback == report_->Path())
        ReportWarning(failure);
    else if (report_->SaveRowsTo(fallback))
        ReportWarning(failure + "; its new rows went to " + ToUtf8(fallback));
    else
        ReportWarning(failure + " nor to " + ToUtf8(fallback) + " (" + report_->LastError() + ")");
}

bool ResultsRecord::SaveReportAs(const std::wstring& path)
{
    if (!report_)
        return false;
    if (report_->Save(path))
        return true;
    ReportWarning("the report cannot be saved as " + ToUtf8(path) + " (" + report_->LastError()
        + ")");
    return false;
}

void ResultsRecord::BeginAttempt()
{
    startTime_ = clock_();
    AddReportRow(kStartLabel, FormatStartTime(startTime_), kString);
    extraInstructionCalls_ = 0;
}

void ResultsRecord::EndAttempt()
{
    AddReportRow(kCountLabel, FormatNumber(extraInstructionCalls_), kNumber);
    AddReportRow(kTotalLabel, FormatNumber(clock_() - startTime_), kNumber);
    if (report_)
        report_->AddEmptyRow();
}

}  // namespace pestrol
