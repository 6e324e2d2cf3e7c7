#include "exercise/Appearance.h"
#include "platform/Utf8.h"
#include "report/SpreadsheetReport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace pestrol {
namespace {

namespace fs = std::filesystem;

void AddAttempt(SpreadsheetReport& report)
{
    report.AddRow(L"Время начала работы с упражнением", L"09-December-2008 14:05", L"String");
    for (int i = 0; i < kAttributeCount; ++i)
        report.AddRow(std::wstring(kAttributeLabels[i]), std::to_wstring(i * 1000), L"Number");
    report.AddRow(L"Количество дополнительных вызовов инструкций", L"2", L"Number");
    report.AddRow(L"Общее время работы с упражнением. с.", L"65", L"Number");
    report.AddEmptyRow();
}

// A report file that already holds 200 pupils' worksheets, one attempt each.
std::string ReportOf200Pupils(const fs::path& folder)
{
    const std::string path = (folder / "base.xls").string();
    for (int pupil = 0; pupil < 200; ++pupil) {
        SpreadsheetReport report(FromUtf8(path), L"Ученик номер " + std::to_wstring(pupil));
        AddAttempt(report);
        report.Save();
    }
    return path;
}

// Opening the report, the 17 rows of one match and the save that ends the program.
void BM_OpenAdd17RowsAndSave(benchmark::State& state)
{
    const fs::path folder = fs::temp_directory_path() / ("pestrol-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string base = ReportOf200Pupils(folder);
    const std::string path = (folder / "report.xls").string();
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(base, path, fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        SpreadsheetReport report(FromUtf8(path), L"Ученик номер 100");
        for (int i = 0; i < kAttributeCount; ++i)
            report.AddRow(std::wstring(kAttributeLabels[i]), std::to_wstring(i), L"Number");
        benchmark::DoNotOptimize(report.Save());
    }
    state.counters["file_KiB"] = static_cast<double>(fs::file_size(base)) / 1024.0;
    fs::remove_all(folder);
}
BENCHMARK(BM_OpenAdd17RowsAndSave)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pestrol
