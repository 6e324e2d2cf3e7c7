#include "report/ReportPrinter.h"
#include "report/ReportTestSupport.h"

#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pestrol {
namespace {

using test::TempFolder;

struct DrawnText {
    int page;
    int x;
    int y;
    std::wstring text;
    bool operator==(const DrawnText&) const = default;
};

// What a printer was asked to do; it outlives the device the printout lets go.
struct PrintLog {
    std::vector<std::wstring> calls;
    std::vector<DrawnText> texts;
    int page = 0;
};

// A page of fixed metrics; every character is one column unit wide.
class FakePrinter : public PrinterDevice {
public:
    struct Metrics {
        int width = 2000;
        int height = 3000;
        int line = 50;
        int column = 20;
    };

    FakePrinter(std::shared_ptr<PrintLog> log, Metrics metrics, bool accepts)
        : m_log(std::move(log)), m_metrics(metrics), m_accepts(accepts)
    {
    }

    int PageWidth() const override { return m_metrics.width; }
    int PageHeight() const override { return m_metrics.height; }
    int LineHeight() const override { return m_metrics.line; }
    int AverageCharWidth() const override { return m_metrics.column; }
    int TextWidth(std::wstring_view text) const override
    {
        return static_cast<int>(text.size()) * m_metrics.column;
    }

    bool StartDocument(const std::wstring& jobName) override
    {
        m_log->calls.push_back(L"StartDocument " + jobName);
        return m_accepts;
    }
    void StartPage() override
    {
        m_log->calls.push_back(L"StartPage");
        ++m_log->page;
    }
    void DrawText(int x, int y, std::wstring_view text) override
    {
        m_log->texts.push_back({ m_log->page, x, y, std::wstring(text) });
    }
    void EndPage() override { m_log->calls.push_back(L"EndPage"); }
    bool EndDocument() override
    {
        m_log->calls.push_back(L"EndDocument");
        return true;
    }

private:
    std::shared_ptr<PrintLog> m_log;
    Metrics m_metrics;
    bool m_accepts;
};

const ReportHeading kHeading { L"00517", L"Тренажер «Пестроль»", L"Иванов" };

class ReportPrinterTest : public testing::Test {
protected:
    bool Print(FakePrinter::Metrics metrics = {}, bool accepts = true)
    {
        return PrintReport(std::make_unique<FakePrinter>(log, metrics, accepts), kHeading, *report);
    }

    void AddRows(int count)
    {
        for (int i = 1; i <= count; ++i)
            report->AddRow(L"Строка " + std::to_wstring(i), std::to_wstring(i), L"Number");
    }

    // Page and y of each row's first text, after the six texts of the heading.
    std::vector<std::pair<int, int>> RowPlaces() const
    {
        std::vector<std::pair<int, int>> places;
        for (std::size_t i = 6; i < log->texts.size(); i += 2)
            places.push_back({ log->texts[i].page, log->texts[i].y });
        return places;
    }

    TempFolder folder;
    std::unique_ptr<SpreadsheetReport> report
        = std::make_unique<SpreadsheetReport>(FromUtf8(folder / "report.xls"), L"Иванов");
    std::shared_ptr<PrintLog> log = std::make_shared<PrintLog>();
};

TEST_F(ReportPrinterTest, HeadingInLabelOrderThenAnEmptyLineThenTwoColumnRows)
{
    report->AddRow(L"Пол", L"1500", L"Number");
    report->AddEmptyRow();
    report->AddRow(L"Очки", L"700", L"Number");

    ASSERT_TRUE(Print());

    // Columns at C and C + W / 2; lines L apart from y = L; the empty row takes a line.
    std::vector<DrawnText> expected {
        { 1, 20, 50, L"Название" },
        { 1, 1020, 50, L"Тренажер «Пестроль»" },
        { 1, 20, 100, L"Номер ЦОР" },
        { 1, 1020, 100, L"00517" },
        { 1, 20, 150, L"Ученик" },
        { 1, 1020, 150, L"Иванов" },
        { 1, 20, 250, L"Пол" },
        { 1, 1020, 250, L"1500" },
        { 1, 20, 350, L"Очки" },
        { 1, 1020, 350, L"700" },
    };
    EXPECT_EQ(log->texts, expected);
    std::vector<std::wstring> calls {
        L"StartDocument Print1: Printing", L"StartPage", L"EndPage", L"EndDocument"
    };
    EXPECT_EQ(log->calls, calls);
}

TEST_F(ReportPrinterTest, LabelWiderThanHalfThePagePushesItsValueOneColumnPastIt)
{
    std::wstring wide(60, L'Ш');  // 1200 pixels on a page 2000 wide
    report->AddRow(wide, L"5", L"Number");

    ASSERT_TRUE(Print());

    ASSERT_EQ(log->texts.size(), 8u);
    EXPECT_EQ(log->texts[7], (DrawnText { 1, 20 + 1200 + 20, 250, L"5" }));
}

// Rows start at y = 250 (L = 50); a row at y breaks the page after it when y + 2 L >= H.
struct PageBreakCase {
    int height;
    int rows;
    std::vector<std::pair<int, int>> places;
    int pages;
};

class ReportPageBreaks : public ReportPrinterTest,
                         public testing::WithParamInterface<PageBreakCase> { };

TEST_P(ReportPageBreaks, RowsContinueOnANewPageWithinTwoLinesOfTheBottom)
{
    const PageBreakCase& c = GetParam();
    AddRows(c.rows);

    ASSERT_TRUE(Print({ .height = c.height }));

    EXPECT_EQ(RowPlaces(), c.places);
    EXPECT_EQ(log->page, c.pages);
    EXPECT_EQ(std::count(log->calls.begin(), log->calls.end(), L"EndPage"), c.pages);
}

INSTANTIATE_TEST_SUITE_P(Heights, ReportPageBreaks,
    testing::Values(
        // 400 + 100 reaches the bottom at 500: the fifth row opens page two at y = L.
        PageBreakCase { 500, 6, { { 1, 250 }, { 1, 300 }, { 1, 350 }, { 1, 400 }, { 2, 50 },
                                    { 2, 100 } }, 2 },
        // One pixel more and the fourth row still leaves room for a fifth.
        PageBreakCase { 501, 6, { { 1, 250 }, { 1, 300 }, { 1, 350 }, { 1, 400 }, { 1, 450 },
                                    { 2, 50 } }, 2 },
        // The last row fills the page: no blank sheet after it.
        PageBreakCase { 500, 4, { { 1, 250 }, { 1, 300 }, { 1, 350 }, { 1, 400 } }, 1 },
        // Page two holds rows from y = 50 to y = 400, page three the rest.
        PageBreakCase { 500, 13, { { 1, 250 }, { 1, 300 }, { 1, 350 }, { 1, 400 }, { 2, 50 },
                                     { 2, 100 }, { 2, 150 }, { 2, 200 }, { 2, 250 }, { 2, 300 },
                                     { 2, 350 }, { 2, 400 }, { 3, 50 } }, 3 }));

TEST_F(ReportPrinterTest, RefusedJobPrintsNothing)
{
    AddRows(3);
    EXPECT_FALSE(Print({}, false));
    EXPECT_TRUE(log->texts.empty());
    EXPECT_EQ(log->calls, std::vector<std::wstring> { L"StartDocument Print1: Printing" });
}

TEST_F(ReportPrinterTest, NoDeviceNoPrinterNoTable)
{
    EXPECT_FALSE(PrintReport(nullptr, kHeading, *report));
    EXPECT_EQ(GetPrinterDC(std::nullopt), nullptr);

    // A worksheet without a table, as another program may leave one.
    test::WriteBytes(folder / "bare.xls",
        "<?xml version=\"1.0\"?><Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\""
        " xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\">"
        "<Worksheet ss:Name=\"Иванов\"/></Workbook>");
    report = std::make_unique<SpreadsheetReport>(FromUtf8(folder / "bare.xls"), L"Иванов");
    EXPECT_FALSE(Print());
    EXPECT_TRUE(log->calls.empty());
}

}  // namespace
}  // namespace pestrol
