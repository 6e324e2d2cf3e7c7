#pragma once

#include "platform/Clock.h"
#include "report/SpreadsheetReport.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

namespace pestrol {

// The record of the pupil's attempts, written row by row into the pupil's worksheet of the
// report file. Held by the application object, which calls it as the pupil moves through
// the screens, and which connects SaveReport to the main window's Closed notification.
// Whatever way the program ends, destroying the record saves it too, so that closing the
// window from outside or logging out loses nothing.
class ResultsRecord {
public:
    using Clock = std::function<std::time_t()>;

    explicit ResultsRecord(std::wstring windowTitle, Clock clock = CalendarSeconds);
    ~ResultsRecord();
    ResultsRecord(const ResultsRecord&) = delete;
    ResultsRecord& operator=(const ResultsRecord&) = delete;

    // For a non-empty name: saves the current report, if any, then opens the report file
    // with the pupil's worksheet. An empty name changes nothing.
    void OpenReport(const std::wstring& pupilName);
    // Dropped while there is no report.
    void AddReportRow(const std::wstring& label, const std::wstring& value, const std::wstring& type);
    // To the report's own file; when that cannot be written, the rows go to the user's
    // report folder instead, and stderr says so.
    void SaveReport();
    // The whole report to another file; the report's own path stays. False when the file
    // could not be written (stderr says why); the report stays usable.
    bool SaveReportAs(const std::wstring& path);

    // The start row with the start time, and the extra instruction calls back to 0.
    void BeginAttempt();
    void CountExtraInstructionCall() { ++extraInstructionCalls_; }
    // The count row, the total row and, with a report, the empty row.
    void EndAttempt();

    // Null until a non-empty name is entered.
    const SpreadsheetReport* Report() const { return report_.get(); }
    std::time_t StartTime() const { return startTime_; }
    int ExtraInstructionCalls() const { return extraInstructionCalls_; }

private:
    std::wstring windowTitle_;
    Clock clock_;
    std::unique_ptr<SpreadsheetReport> report_;
    std::time_t startTime_ = 0;
    int extraInstructionCalls_ = 0;
};

// Local time as "09-December-2008 14:05", with English month names whatever the locale.
std::wstring FormatStartTime(std::time_t time);

// Plain decimal: no grouping, a minus sign when negative.
std::wstring FormatNumber(std::int64_t number);

}  // namespace pestrol
