#include "report/ReportTestSupport.h"
#include "report/ReportText.h"
#include "report/SpreadsheetReport.h"

#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace pestrol {
namespace {

using test::TempFolder;

// Every worksheet to its own UTF-8 CSV file, "name-Sheet.csv", comma separated.
constexpr const char* kAllSheetsCsv =
    "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1";

bool HaveLibreOffice()
{
    return std::system("command -v soffice > /dev/null 2>&1") == 0;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    while (!lines.empty() && (lines.back().empty() || lines.back() == ","))
        lines.pop_back();
    return lines;
}

TEST(LibreOffice, CalcReadsEveryRowOfEveryWorksheet)
{
    if (!HaveLibreOffice())
        GTEST_SKIP() << "LibreOffice is not installed";
    const std::vector<std::wstring> pupils = { L"Иванов Пётр", L"Әлия Нұрланқызы", L"Петя/Вася?" };
    TempFolder folder;
    const std::string path = folder / "report.xls";
    for (const auto& pupil : pupils) {
        SpreadsheetReport report(FromUtf8(path), pupil);
        report.AddRow(L"Время начала работы с упражнением", L"09-December-2008 14:05", L"String");
        report.AddRow(L"Пол", L"1500", L"Number");
        report.AddRow(L"Ученик", pupil, L"String");
        report.AddRow(L"Общее время работы с упражнением. с.", L"65", L"Number");
        report.AddEmptyRow();
        ASSERT_TRUE(report.Save());
    }
    const std::string command = "cd '" + folder.Path() + "' && timeout 180 soffice"
        " -env:UserInstallation=file://" + folder.Path() + "/profile --headless --convert-to '"
        + kAllSheetsCsv + "' --outdir csv report.xls > soffice.log 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << test::ReadBytes(folder / "soffice.log");

    for (const auto& pupil : pupils) {
        const std::string csv = folder / ("csv/report-" + ToUtf8(SheetName(pupil)) + ".csv");
        const std::vector<std::string> expected = {
            "Время начала работы с упражнением,09-December-2008 14:05",
            "Пол,1500",
            "Ученик," + ToUtf8(pupil),
            "Общее время работы с упражнением. с.,65",
        };
        EXPECT_EQ(Lines(test::ReadBytes(csv)), expected) << csv;
    }
    EXPECT_EQ(test::FilesIn(folder / "csv").size(), pupils.size());
}

}  // namespace
}  // namespace pestrol
