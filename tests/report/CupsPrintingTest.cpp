#include "report/CupsTestServers.h"
#include "report/ReportPrinter.h"
#include "report/ReportTestSupport.h"

#include "platform/Printers.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>
#include <sstream>

namespace pestrol {
namespace {

using test::AsClientOf;
using test::CommandOutput;
using test::CupsTestServers;
using test::TempFolder;

const ReportHeading kHeading { L"00517", L"Тренажер «Пестроль»", L"Иванов" };

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

// The printed text line by line, columns separated by " | ".
std::vector<std::string> TextLines(const std::string& pdf, int page = 0)
{
    std::string pages = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    std::istringstream text(CommandOutput("pdftotext -layout -enc UTF-8" + pages + " "
        + Quoted(pdf) + " - 2>/dev/null"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
        line = std::regex_replace(line, std::regex("^ +| +$|\f"), "");
        line = std::regex_replace(line, std::regex("  +"), " | ");
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

std::string PdfInfo(const std::string& pdf, const std::string& field)
{
    std::smatch found;
    std::string info = CommandOutput("pdfinfo " + Quoted(pdf) + " 2>/dev/null");
    std::regex line(field + ": +([^\n]*)");
    return std::regex_search(info, found, line) ? found[1].str() : "";
}

// Left and top edges of the first word with this text, in points.
struct WordBox {
    double x = -1;
    double y = -1;
};

WordBox FindWord(const std::string& pdf, const std::string& word)
{
    std::string boxes = CommandOutput("pdftotext -bbox -enc UTF-8 " + Quoted(pdf) + " - 2>/dev/null");
    std::regex box("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>" + word + "</word>");
    std::smatch found;
    if (!std::regex_search(boxes, found, box))
        return {};
    return { std::stod(found[1].str()), std::stod(found[2].str()) };
}

struct Metrics {
    int width = 0, height = 0, line = 0, column = 0;
};

Metrics MetricsOf(const PrinterDevice& device)
{
    return { device.PageWidth(), device.PageHeight(), device.LineHeight(),
        device.AverageCharWidth() };
}

class CupsPrinting : public testing::Test {
protected:
    void SetUp() override
    {
        servers = CupsTestServers::Get();
        ASSERT_NE(servers, nullptr) << "the private cupsd did not start";
    }

    std::string Socket(const std::string& scheduler = "printers") const
    {
        return servers->Socket(scheduler);
    }

    // Prints the report on the queue as the printer dialog would, and waits for the job.
    bool PrintOn(const std::string& queue,
        const std::function<void(const PrinterDevice&)>& inspect = {})
    {
        std::filesystem::remove(servers->Output("printers", queue));
        bool printed = false;
        AsClientOf(Socket(), [&] {
            std::unique_ptr<PrinterDevice> device = GetPrinterDC(FromUtf8(queue));
            if (device != nullptr && inspect)
                inspect(*device);
            printed = PrintReport(std::move(device), kHeading, *report);
        });
        EXPECT_TRUE(test::WaitForQueue(Socket(), queue));
        return printed;
    }

    const CupsTestServers* servers = nullptr;
    TempFolder folder;
    std::unique_ptr<SpreadsheetReport> report
        = std::make_unique<SpreadsheetReport>(FromUtf8(folder / "report.xls"), L"Иванов");
};

TEST_F(CupsPrinting, ListsEveryQueueInCupsOrderWithTheDefault)
{
    PrinterList printers, spare;
    AsClientOf(Socket(), [&] { printers = LocalPrinters(); });
    AsClientOf(Socket("spare"), [&] { spare = LocalPrinters(); });

    EXPECT_EQ(printers.names, (std::vector<std::wstring> { L"A", L"B", L"Closed" }));
    EXPECT_EQ(printers.defaultPrinter, 1u);
    EXPECT_EQ(spare.names, (std::vector<std::wstring> { L"A", L"Raw" }));
    EXPECT_EQ(spare.defaultPrinter, std::nullopt);
}

TEST_F(CupsPrinting, DeviceHasTheQueuesPaperAndResolutionInPixels)
{
    Metrics a, b, raw;
    AsClientOf(Socket(), [&] {
        std::unique_ptr<PrinterDevice> deviceA = OpenPrinter(L"A");
        std::unique_ptr<PrinterDevice> deviceB = OpenPrinter(L"B");
        ASSERT_TRUE(deviceA && deviceB);
        a = MetricsOf(*deviceA);
        b = MetricsOf(*deviceB);
    });
    AsClientOf(Socket("spare"), [&] {
        std::unique_ptr<PrinterDevice> device = OpenPrinter(L"Raw");
        ASSERT_TRUE(device);
        raw = MetricsOf(*device);
    });
    // The printable areas of A4 at 300 dpi and Letter at 600 dpi: the paper less margins of
    // 18 points left and right, 36 points top and bottom.
    EXPECT_NEAR(a.width, (595 - 36) * 300 / 72, 1);
    EXPECT_NEAR(a.height, (842 - 72) * 300 / 72, 1);
    EXPECT_NEAR(b.width, (612 - 36) * 600 / 72, 1);
    EXPECT_NEAR(b.height, (792 - 72) * 600 / 72, 1);
    // A queue that names neither: A4 at 300 dpi, all of it.
    EXPECT_EQ(raw.width, 2480);
    EXPECT_EQ(raw.height, 3508);
    EXPECT_EQ(raw.line, a.line);
    // A 12-point face: 50 pixels at 300 dpi, with some leading.
    EXPECT_GE(a.line, 50);
    EXPECT_LE(a.line, 75);
    EXPECT_GE(a.column, 15);
    EXPECT_LE(a.column, 35);
    EXPECT_NEAR(b.line, 2 * a.line, 2);
    EXPECT_NEAR(b.column, 2 * a.column, 2);
}

TEST_F(CupsPrinting, PrintsTheHeadingAndTheRowsWithCyrillicOnTheChosenQueue)
{
    std::wstring wide = L"Длинная подпись строки, шире половины страницы: съешь же ещё";
    report->AddRow(L"Время начала работы с упражнением", L"09-December-2008 14:05", L"String");
    report->AddRow(L"Пол", L"1500", L"Number");
    report->AddEmptyRow();
    report->AddRow(L"Общее время работы с упражнением. с.", L"42", L"Number");
    report->AddRow(wide, L"77", L"Number");
    std::filesystem::remove(servers->Output("printers", "A"));

    Metrics page;
    int wideWidth = 0;
    ASSERT_TRUE(PrintOn("B", [&](const PrinterDevice& device) {
        page = MetricsOf(device);
        wideWidth = device.TextWidth(wide);
    }));
    ASSERT_GT(wideWidth, page.width / 2);
    ASSERT_LT(wideWidth, page.width * 4 / 5);

    std::string pdf = servers->Output("printers", "B");
    std::vector<std::string> expected {
        "Название | Тренажер «Пестроль»",
        "Номер ЦОР | 00517",
        "Ученик | Иванов",
        "Время начала работы с упражнением | 09-December-2008 14:05",
        "Пол | 1500",
        "Общее время работы с упражнением. с. | 42",
        ToUtf8(wide) + " 77",  // one column unit apart: one space to pdftotext
    };
    EXPECT_EQ(TextLines(pdf), expected);
    EXPECT_EQ(PdfInfo(pdf, "Pages"), "1");
    EXPECT_EQ(PdfInfo(pdf, "Page size").substr(0, 9), "612 x 792");
    EXPECT_FALSE(std::filesystem::exists(servers->Output("printers", "A")));

    // Device pixels to points from the left margin; lines L apart, the empty line and the
    // empty row a line each.
    double scale = 72.0 / 600;
    double line = page.line * scale;
    double column = 18 + page.column * scale;
    double half = page.width / 2 * scale;
    EXPECT_NEAR(FindWord(pdf, "Название").x, column, 1);
    EXPECT_NEAR(FindWord(pdf, "Тренажер").x, column + half, 1);
    EXPECT_NEAR(FindWord(pdf, "1500").x, column + half, 1);
    EXPECT_NEAR(FindWord(pdf, "Время").y - FindWord(pdf, "Ученик").y, 2 * line, 0.5);
    EXPECT_NEAR(FindWord(pdf, "Общее").y - FindWord(pdf, "Пол").y, 2 * line, 0.5);
    EXPECT_NEAR(FindWord(pdf, "Ученик").y - FindWord(pdf, "Название").y, 2 * line, 0.5);
    // The wide label pushes its value one column unit past its end.
    EXPECT_NEAR(FindWord(pdf, "77").x, 18 + (2 * page.column + wideWidth) * scale, 1);
    std::string pageLog = test::ReadBytes(servers->Folder("printers") + "/log/page_log");
    EXPECT_TRUE(std::regex_search(pageLog, std::regex("(^|\n)B [0-9]+ Print1: Printing\n")))
        << pageLog;

    CommandOutput("pdftoppm -png -r 60 -f 1 -singlefile " + Quoted(pdf) + " printed-report");
    EXPECT_TRUE(std::filesystem::exists("printed-report.png"));
}

// Rows from y = 5 L, one line each; a row at y ends the page when y + 2 L >= H.
int RowsOnFirstPage(const Metrics& page)
{
    int rows = 1;
    for (int y = 5 * page.line; y + 2 * page.line < page.height; y += page.line)
        ++rows;
    return rows;
}

TEST_F(CupsPrinting, LongReportContinuesOnASecondPageAtTheRightRow)
{
    Metrics page;
    AsClientOf(Socket(), [&] { page = MetricsOf(*OpenPrinter(L"A")); });
    int first = RowsOnFirstPage(page);
    for (int i = 1; i <= first + 3; ++i)
        report->AddRow(L"Строка " + std::to_wstring(i), std::to_wstring(i * 10), L"Number");

    ASSERT_TRUE(PrintOn("A"));

    std::string pdf = servers->Output("printers", "A");
    EXPECT_EQ(PdfInfo(pdf, "Pages"), "2");
    EXPECT_EQ(PdfInfo(pdf, "Page size").substr(0, 9), "595 x 842");
    std::vector<std::string> one = TextLines(pdf, 1), two = TextLines(pdf, 2);
    ASSERT_EQ(one.size(), 3u + first);
    EXPECT_EQ(one.back(), "Строка " + std::to_string(first) + " | " + std::to_string(first * 10));
    std::vector<std::string> rest;
    for (int i = first + 1; i <= first + 3; ++i)
        rest.push_back("Строка " + std::to_string(i) + " | " + std::to_string(i * 10));
    EXPECT_EQ(two, rest);
    // The second page starts one line below the top margin.
    double scale = 72.0 / 300;
    std::string boxes = CommandOutput("pdftotext -bbox -f 2 -l 2 " + Quoted(pdf) + " - 2>/dev/null");
    std::smatch top;
    ASSERT_TRUE(std::regex_search(boxes, top, std::regex("<word xMin=\"[0-9.]+\" yMin=\"([0-9.]+)\"")));
    EXPECT_NEAR(std::stod(top[1].str()), 36 + page.line * scale, 2);
}

TEST_F(CupsPrinting, QueueRejectingJobsPrintsNothing)
{
    report->AddRow(L"Пол", L"1500", L"Number");
    EXPECT_FALSE(PrintOn("Closed"));
    EXPECT_FALSE(std::filesystem::exists(servers->Output("printers", "Closed")));
    EXPECT_EQ(CommandOutput("lpstat -h " + Quoted(Socket()) + " -W all -o Closed 2>&1"), "");
}

TEST_F(CupsPrinting, PrinterGoneBeforeTheJobIsSubmittedPrintsNothing)
{
    std::string lpadmin = "lpadmin -h " + Quoted(Socket("spare"));
    ASSERT_EQ(std::system((lpadmin + " -p Gone -E -v file:///dev/null -P "
                              "/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd 2>/dev/null")
                              .c_str()),
        0);
    AsClientOf(Socket("spare"), [&] {
        std::unique_ptr<PrinterDevice> device = OpenPrinter(L"Gone");
        ASSERT_NE(device, nullptr);
        ASSERT_TRUE(device->StartDocument(kPrintJobName));
        device->StartPage();
        device->DrawText(10, 10, L"Пол");
        device->EndPage();
        std::system((lpadmin + " -x Gone").c_str());
        EXPECT_FALSE(device->EndDocument());
        EXPECT_EQ(OpenPrinter(L"Gone"), nullptr);
    });
}

TEST_F(CupsPrinting, WithoutASchedulerThereAreNoPrintersAndNothingPrints)
{
    report->AddRow(L"Пол", L"1500", L"Number");
    AsClientOf(folder / "no-cupsd.sock", [&] {
        PrinterList printers = LocalPrinters();
        EXPECT_TRUE(printers.names.empty());
        EXPECT_EQ(printers.defaultPrinter, std::nullopt);
        EXPECT_EQ(OpenPrinter(L"B"), nullptr);
        EXPECT_FALSE(PrintReport(GetPrinterDC(L"B"), kHeading, *report));
    });
}

}  // namespace
}  // namespace pestrol
