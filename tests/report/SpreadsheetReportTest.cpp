#include "report/ReportTestSupport.h"
#include "report/ReportText.h"
#include "report/SpreadsheetReport.h"

#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace pestrol {
namespace {

using test::ReadBytes;
using test::Rows;
using test::SheetRows;
using test::TempFolder;

const std::string kGoldenDir = PESTROL_TEST_DIR "/report/golden/";
constexpr std::string_view kRun = "\t\t\t\t\t\t\t ";

std::wstring Wide(const std::string& path)
{
    return FromUtf8(path);
}

// With PESTROL_UPDATE_GOLDEN set the expected file is written instead of compared.
void ExpectGolden(const std::string& produced, const std::string& goldenName)
{
    const std::string golden = kGoldenDir + goldenName;
    if (std::getenv("PESTROL_UPDATE_GOLDEN") != nullptr)
        test::WriteBytes(golden, ReadBytes(produced));
    EXPECT_EQ(ReadBytes(produced), ReadBytes(golden)) << "differs from " << golden;
}

std::size_t Count(const std::string& text, std::string_view part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(SpreadsheetReport, ANewReportIsTheTemplateWithTheWorksheetAndItsColumns)
{
    TempFolder folder;
    const std::string path = folder / "new.xls";
    SpreadsheetReport report(Wide(path), L"Ivanov");
    ASSERT_TRUE(report.Save());
    ExpectGolden(path, "new.xml");

    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.rfind(R"(<?xml version="1.0" encoding="UTF-8")", 0), 0u);
    EXPECT_NE(bytes.find(R"(<?mso-application progid="Excel.Sheet"?>)"), std::string::npos);
    // The 28 runs between the tags inside the workbook; the worksheet comes after the last.
    EXPECT_EQ(Count(bytes, kRun), 28u);
    EXPECT_NE(bytes.find(std::string(kRun) + "<Worksheet ss:Name=\"Ivanov\"><Table>"
                  "<Column ss:AutoFitWidth=\"0\" ss:Width=\"240\"/>"
                  "<Column ss:AutoFitWidth=\"0\" ss:Width=\"96\"/></Table></Worksheet>"
                  "</Workbook>"),
        std::string::npos);
    EXPECT_EQ(SheetRows(path), (std::map<std::wstring, Rows> { { L"Ivanov", {} } }));
}

TEST(SpreadsheetReport, RowsHoldALabelCellAndATypedValueCell)
{
    TempFolder folder;
    const std::string path = folder / "rows.xls";
    SpreadsheetReport report(Wide(path), L"Иванов");
    report.AddRow(L"Пол", L"1500", L"Number");
    report.AddRow(L"Время начала работы с упражнением", L"09-December-2008 14:05", L"String");
    report.AddRow(L"Метка \"в кавычках\"", L"-1", L"Number");
    report.AddEmptyRow();
    ASSERT_TRUE(report.Save());
    ExpectGolden(path, "rows.xml");

    const std::string bytes = ReadBytes(path);
    EXPECT_NE(bytes.find("<Row><Cell><Data ss:Type=\"String\">Пол</Data></Cell>"
                         "<Cell><Data ss:Type=\"Number\">1500</Data></Cell></Row>"),
        std::string::npos);
    EXPECT_NE(bytes.find("Метка 'в кавычках'"), std::string::npos);
    EXPECT_EQ(bytes.find("&quot;"), std::string::npos);
    EXPECT_NE(bytes.find("<Row/></Table>"), std::string::npos);
}

TEST(SpreadsheetReport, ReopeningAppendsToTheSameWorksheetOrAddsAnother)
{
    TempFolder folder;
    const std::string path = folder / "again.xls";
    {
        SpreadsheetReport first(Wide(path), L"Иванов");
        first.AddRow(L"Пол", L"1500", L"Number");
        ASSERT_TRUE(first.Save());
    }
    {
        SpreadsheetReport same(Wide(path), L"Иванов");
        same.AddRow(L"Сумка", L"700", L"Number");
        ASSERT_TRUE(same.Save());
    }
    {
        SpreadsheetReport other(Wide(path), L"Петрова");
        other.AddRow(L"Очки", L"300", L"Number");
        ASSERT_TRUE(other.Save());
    }
    ExpectGolden(path, "appended.xml");
    const auto sheets = SheetRows(path);
    EXPECT_EQ(sheets.at(L"Иванов"), (Rows { { L"Пол", L"1500" }, { L"Сумка", L"700" } }));
    EXPECT_EQ(sheets.at(L"Петрова"), (Rows { { L"Очки", L"300" } }));
    // The second pupil's worksheet follows the first.
    const std::string bytes = ReadBytes(path);
    EXPECT_LT(bytes.find("Иванов"), bytes.find("Петрова"));
}

TEST(SpreadsheetReport, NamesOutsideWindows1251StayDistinctWorksheets)
{
    // Narrowed to Windows-1251 each of these pairs would become one name full of "?".
    const std::vector<std::wstring> names = {
        L"Иванов Пётр",
        L"Гөлнур Сабирова",   // Tatar
        L"Гүлнур Сабирова",   // Tatar, another vowel
        L"Әлия Нұрланқызы",   // Kazakh
        L"Әлия Нурланкызы",
        L"Zoë Škoda",         // Latin with diacritics
        L"Zoe Skoda",
        L"Łucja Nowak",
    };
    TempFolder folder;
    const std::string path = folder / "names.xls";
    for (int round = 0; round < 2; ++round) {
        for (const auto& name : names) {
            SpreadsheetReport report(Wide(path), name);
            report.AddRow(L"Ученик", name, L"String");
            ASSERT_TRUE(report.Save());
        }
    }
    const auto sheets = SheetRows(path);
    ASSERT_EQ(sheets.size(), names.size());
    for (const auto& name : names)
        EXPECT_EQ(sheets.at(name), (Rows { { L"Ученик", name }, { L"Ученик", name } }));
}

TEST(SpreadsheetReport, CharactersXmlCannotHoldAreReplacedAndTheFileReadsBack)
{
    TempFolder folder;
    const std::string path = folder / "control.xls";
    const std::wstring nasty = std::wstring(L"a\x01" L"b\x1F" L"c") + wchar_t(0xFFFE)
        + wchar_t(0xD800) + wchar_t(0x110000) + L"\t\n&<>]]>😀";
    SpreadsheetReport report(Wide(path), L"Ученик");
    report.AddRow(nasty, L"1", L"Number");
    ASSERT_TRUE(report.Save());
    const std::wstring kept = L"a\xFFFD" L"b\xFFFD" L"c\xFFFD\xFFFD\xFFFD\t\n&<>]]>😀";
    EXPECT_EQ(SheetRows(path).at(L"Ученик"), (Rows { { kept, L"1" } }));
}

struct SheetNameCase {
    std::wstring typed;
    std::wstring sheet;
};

class SheetNames : public testing::TestWithParam<SheetNameCase> { };

TEST_P(SheetNames, AreValidForSpreadsheetsAndDeterministic)
{
    EXPECT_EQ(SheetName(GetParam().typed), GetParam().sheet);
}

INSTANTIATE_TEST_SUITE_P(Report, SheetNames,
    testing::Values(SheetNameCase { L"Иванов", L"Иванов" },
        SheetNameCase { L"Гөлнур", L"Гөлнур" },
        SheetNameCase { L"O'Brien", L"O'Brien" },
        SheetNameCase { L"Маша \"Зайка\" Иванова", L"Маша 'Зайка' Иванова" },
        SheetNameCase { L"Маша \"Зайка\"", L"Маша 'Зайка'~672428" },
        SheetNameCase { L"1234567890123456789012345678901", L"1234567890123456789012345678901" },
        SheetNameCase { L"12345678901234567890123456789012", L"123456789012345678901234~E5305F" },
        SheetNameCase { L"Петя/Вася", L"Петя_Вася~94F099" },
        SheetNameCase { L"Петя?Вася", L"Петя_Вася~C66CA9" },
        SheetNameCase { L"a:b\\c*d[e]f", L"a_b_c_d_e_f~363CF0" },
        SheetNameCase { L"'Ира'", L"_Ира'~577978" },
        SheetNameCase { L"Оля\tКоля\n", L"Оля_Коля_~15A25A" }));

TEST(SpreadsheetReport, NamesRefusedAsSheetNamesGiveValidTabsAndFindTheirOwnWorksheet)
{
    const std::vector<std::wstring> names = { L"Петя/Вася", L"Петя?Вася", L"Петя_Вася",
        L"Ученица с очень длинным именем и фамилией", L"Ученица с очень длинным именем и отчеством",
        L"Оля\x01Коля", L"Оля\x02Коля", L"[Аня]" };
    TempFolder folder;
    const std::string path = folder / "refused.xls";
    for (int round = 0; round < 2; ++round) {
        for (const auto& name : names) {
            SpreadsheetReport report(Wide(path), name);
            report.AddRow(L"Ученик", L"1", L"Number");
            ASSERT_TRUE(report.Save());
        }
    }
    const auto sheets = SheetRows(path);
    ASSERT_EQ(sheets.size(), names.size());
    for (const auto& [sheet, rows] : sheets) {
        EXPECT_LE(sheet.size(), 31u);
        EXPECT_EQ(sheet.find_first_of(L":\\/?*[]\x01\x02"), std::wstring::npos) << ToUtf8(sheet);
        EXPECT_EQ(rows.size(), 2u) << ToUtf8(sheet);
    }
}

TEST(SpreadsheetReport, SavingAgainAddsNoRowTwice)
{
    TempFolder folder;
    const std::string path = folder / "twice.xls";
    SpreadsheetReport report(Wide(path), L"Иванов");
    report.AddRow(L"Пол", L"1", L"Number");
    ASSERT_TRUE(report.Save());
    ASSERT_TRUE(report.Save());
    report.AddRow(L"Сумка", L"2", L"Number");
    ASSERT_TRUE(report.Save(Wide(path)));
    ASSERT_TRUE(report.Save());
    EXPECT_EQ(SheetRows(path).at(L"Иванов"), (Rows { { L"Пол", L"1" }, { L"Сумка", L"2" } }));
}

TEST(SpreadsheetReport, TwoReportsOnOneFileKeepBothPupilsRows)
{
    TempFolder folder;
    const std::string path = folder / "shared.xls";
    SpreadsheetReport first(Wide(path), L"Иванов");
    SpreadsheetReport second(Wide(path), L"Петрова");
    first.AddRow(L"Пол", L"1", L"Number");
    ASSERT_TRUE(first.Save());
    second.AddRow(L"Очки", L"2", L"Number");
    ASSERT_TRUE(second.Save());
    first.AddRow(L"Сумка", L"3", L"Number");
    ASSERT_TRUE(first.Save());
    const auto sheets = SheetRows(path);
    EXPECT_EQ(sheets.at(L"Иванов"), (Rows { { L"Пол", L"1" }, { L"Сумка", L"3" } }));
    EXPECT_EQ(sheets.at(L"Петрова"), (Rows { { L"Очки", L"2" } }));
}

TEST(SpreadsheetReport, SaveAsWritesTheWholeDocumentAndKeepsTheOwnPath)
{
    TempFolder folder;
    const std::string own = folder / "own.xls";
    const std::string copy = folder / "Копия отчёта.xls";
    {
        SpreadsheetReport earlier(Wide(own), L"Иванов");
        earlier.AddRow(L"Пол", L"1", L"Number");
        ASSERT_TRUE(earlier.Save());
    }
    SpreadsheetReport report(Wide(own), L"Иванов");
    report.AddRow(L"Сумка", L"2", L"Number");
    ASSERT_TRUE(report.Save(Wide(copy)));
    EXPECT_EQ(report.Path(), Wide(own));
    EXPECT_EQ(SheetRows(copy).at(L"Иванов"), (Rows { { L"Пол", L"1" }, { L"Сумка", L"2" } }));
    EXPECT_EQ(SheetRows(own).at(L"Иванов"), (Rows { { L"Пол", L"1" } }));
    ASSERT_TRUE(report.Save());
    EXPECT_EQ(ReadBytes(own), ReadBytes(copy));
}

TEST(SpreadsheetReport, SaveAsToAnImpossiblePathFailsAndLeavesTheReportUsable)
{
    TempFolder folder;
    const std::string own = folder / "own.xls";
    SpreadsheetReport report(Wide(own), L"Иванов");
    report.AddRow(L"Пол", L"1", L"Number");
    EXPECT_FALSE(report.Save(Wide(folder / "no such folder/copy.xls")));
    EXPECT_FALSE(report.Save(Wide(folder.Path())));
    EXPECT_FALSE(report.LastError().empty());
    report.AddRow(L"Сумка", L"2", L"Number");
    ASSERT_TRUE(report.Save());
    EXPECT_EQ(SheetRows(own).at(L"Иванов").size(), 2u);
    EXPECT_EQ(test::FilesIn(folder.Path()), (std::vector<std::string> { ".own.xls.lock", "own.xls" }));
}

struct DamagedFile {
    const char* what;
    std::string bytes;
};

class DamagedReportFile : public testing::TestWithParam<DamagedFile> { };

TEST_P(DamagedReportFile, IsKeptAsideAndANewReportTakesItsPlace)
{
    TempFolder folder;
    const std::string path = folder / "report.xls";
    test::WriteBytes(path, GetParam().bytes);
    test::WriteBytes(folder / "report.unreadable-1.xls", "an earlier one");

    testing::internal::CaptureStderr();
    SpreadsheetReport report(Wide(path), L"Иванов");
    report.AddRow(L"Пол", L"1500", L"Number");
    EXPECT_EQ(ReadBytes(path), GetParam().bytes) << "nothing is written before a save";
    ASSERT_TRUE(report.Save());
    const std::string said = testing::internal::GetCapturedStderr();

    EXPECT_EQ(ReadBytes(folder / "report.unreadable-2.xls"), GetParam().bytes);
    EXPECT_EQ(ReadBytes(folder / "report.unreadable-1.xls"), "an earlier one");
    EXPECT_NE(said.find("report.unreadable-2.xls"), std::string::npos) << said;
    EXPECT_EQ(SheetRows(path), (std::map<std::wstring, Rows> { { L"Иванов", { { L"Пол", L"1500" } } } }));
}

std::string Truncated()
{
    TempFolder folder;
    SpreadsheetReport report(Wide(folder / "whole.xls"), L"Иванов");
    report.AddRow(L"Пол", L"1500", L"Number");
    report.Save();
    const std::string whole = ReadBytes(folder / "whole.xls");
    return whole.substr(0, whole.size() * 2 / 3);
}

std::string Garbage()
{
    std::string bytes;
    unsigned seed = 17;
    for (int i = 0; i < 4096; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes.push_back(static_cast<char>(seed >> 16));
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Report, DamagedReportFile,
    testing::Values(DamagedFile { "truncated", Truncated() },
        DamagedFile { "not XML", "Иванов;Пол;1500\n" },
        DamagedFile { "empty", "" },
        DamagedFile { "wrong root", R"(<?xml version="1.0"?><html><body/></html>)" },
        DamagedFile { "binary garbage", Garbage() },
        DamagedFile { "NUL bytes", std::string(100, '\0') },
        DamagedFile { "bad UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Workbook>\xC3\x28</Workbook>" },
        DamagedFile { "external entity",
            "<?xml version=\"1.0\"?><!DOCTYPE Workbook [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
            "<Workbook>&x;</Workbook>" },
        DamagedFile { "entity expansion",
            "<?xml version=\"1.0\"?><!DOCTYPE Workbook [<!ENTITY a \"aaaaaaaaaa\">"
            "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
            "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
            "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]><Workbook>&f;</Workbook>" }),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

}  // namespace
}  // namespace pestrol
