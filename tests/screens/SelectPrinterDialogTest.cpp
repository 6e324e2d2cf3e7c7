#include "gui/IMList.h"
#include "report/CupsTestServers.h"
#include "report/IMSelectPrinterDialog.h"
#include "screens/ScreenTestSupport.h"

#include <filesystem>

namespace pestrol::test {
namespace {

// The printer dialog over the end screen of a pupil with a report, clicked through the
// window as the pupil would, each click that reaches CUPS as a client of one scheduler.
class CupsPrintingDialog : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        servers = CupsTestServers::Get();
        ASSERT_NE(servers, nullptr) << "the private cupsd did not start";
        m_app->ShowStartScreen();
        Pass();
        RunToEndScreen(L"Иванов");
        for (const char* queue : { "A", "B", "Closed" })
            std::filesystem::remove(Output(queue));
    }

    std::string Socket(const std::string& scheduler = "printers") const
    {
        return servers->Socket(scheduler);
    }
    std::string Output(const std::string& queue) const
    {
        return servers->Output("printers", queue);
    }

    void ClickAsClientOf(const std::string& socket, Point at)
    {
        AsClientOf(socket, [&] { Click(at.x, at.y); });
    }
    // The centre of a control, in the window.
    static Point CentreOf(IMControl* control)
    {
        Point at { control->GetRect().Width() / 2, control->GetRect().Height() / 2 };
        for (IMControl* c = control; c != nullptr; c = c->GetParent()) {
            at.x += c->GetRect().left;
            at.y += c->GetRect().top;
        }
        return at;
    }

    IMSelectPrinterDialog* OpenDialog(const std::string& socket)
    {
        IMButton* endPrint = Find<IMButton>(TopScreen());
        ClickAsClientOf(socket, CentreOf(endPrint));
        return dynamic_cast<IMSelectPrinterDialog*>(TopScreen());
    }
    std::vector<std::wstring> Lines(IMSelectPrinterDialog* dialog) const
    {
        std::vector<std::wstring> lines;
        for (IMCaption* line : dialog->GetList()->Items())
            lines.push_back(line->GetText());
        return lines;
    }
    bool IsOpen() const { return dynamic_cast<IMSelectPrinterDialog*>(TopScreen()) != nullptr; }
    std::string PrintedText(const std::string& queue) const
    {
        EXPECT_TRUE(WaitForQueue(Socket(), queue));
        return CommandOutput("pdftotext -layout -enc UTF-8 '" + Output(queue) + "' - 2>/dev/null");
    }
    std::string CompletedJobs() const
    {
        return CommandOutput("lpstat -h '" + Socket() + "' -W completed -o 2>&1");
    }

    const CupsTestServers* servers = nullptr;
};

TEST_F(CupsPrintingDialog, ListsTheSchedulersQueuesInOrderWithTheDefaultSelected)
{
    struct Case {
        std::string scheduler;
        std::vector<std::wstring> lines;
        int selected;  // -1: none
    };
    for (const Case& c : { Case { "printers", { L"A", L"B", L"Closed" }, 1 },
             Case { "spare", { L"A", L"Raw" }, -1 } }) {
        SCOPED_TRACE(c.scheduler);
        IMSelectPrinterDialog* dialog = OpenDialog(Socket(c.scheduler));
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->GetRect(), IMSelectPrinterDialog::kPlace);
        EXPECT_EQ(Lines(dialog), c.lines);
        IMList* list = dialog->GetList();
        IMCaption* expected = c.selected < 0 ? nullptr : list->Items()[c.selected];
        EXPECT_EQ(list->GetSelected(), expected);
        EXPECT_EQ(list->GetSelectionMask()->IsHidden(), expected == nullptr);
        ClickAsClientOf(Socket(c.scheduler), CentreOf(dialog->GetCloseButton()));
        EXPECT_FALSE(IsOpen());
    }
}

TEST_F(CupsPrintingDialog, PrintPrintsTheReportOnTheDefaultQueueAndCloses)
{
    IMSelectPrinterDialog* dialog = OpenDialog(Socket());
    ASSERT_NE(dialog, nullptr);
    ClickAsClientOf(Socket(), CentreOf(dialog->GetPrintButton()));
    EXPECT_FALSE(IsOpen());
    const std::string text = PrintedText("B");
    for (const char* expected : { "Название", "Тренажер «Пестроль»", "Номер ЦОР", "00517",
             "Ученик", "Иванов" })
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
    EXPECT_FALSE(std::filesystem::exists(Output("A")));
}

TEST_F(CupsPrintingDialog, ClickingAnotherLineSelectsItAndPrintGoesThere)
{
    IMSelectPrinterDialog* dialog = OpenDialog(Socket());
    ASSERT_NE(dialog, nullptr);
    IMList* list = dialog->GetList();
    IMCaption* lineA = list->Items().at(0);
    Click(CentreOf(lineA).x, CentreOf(lineA).y);
    EXPECT_EQ(list->GetSelected(), lineA);
    EXPECT_EQ(list->GetSelectionMask()->GetRect().top, lineA->GetRect().top);
    Snapshot("select-printer-dialog");
    ClickAsClientOf(Socket(), CentreOf(dialog->GetPrintButton()));
    EXPECT_FALSE(IsOpen());
    EXPECT_NE(PrintedText("A").find("Иванов"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Output("B")));
}

TEST_F(CupsPrintingDialog, CloseAndARefusingQueuePrintNothing)
{
    const std::string before = CompletedJobs();
    IMSelectPrinterDialog* dialog = OpenDialog(Socket());
    ASSERT_NE(dialog, nullptr);
    ClickAsClientOf(Socket(), CentreOf(dialog->GetCloseButton()));
    EXPECT_FALSE(IsOpen());

    dialog = OpenDialog(Socket());
    ASSERT_NE(dialog, nullptr);
    IMCaption* closed = dialog->GetList()->Items().at(2);
    Click(CentreOf(closed).x, CentreOf(closed).y);
    ClickAsClientOf(Socket(), CentreOf(dialog->GetPrintButton()));
    EXPECT_FALSE(IsOpen()) << "closes though the queue refused the job";
    for (const char* queue : { "A", "B", "Closed" })
        EXPECT_TRUE(WaitForQueue(Socket(), queue));
    EXPECT_EQ(CompletedJobs(), before);
    for (const char* queue : { "A", "B", "Closed" })
        EXPECT_FALSE(std::filesystem::exists(Output(queue))) << queue;
}

TEST_F(CupsPrintingDialog, WithoutASchedulerTheListIsEmptyAndPrintOnlyCloses)
{
    TempFolder nowhere;
    const std::string socket = nowhere / "no-cupsd.sock";
    IMSelectPrinterDialog* dialog = OpenDialog(socket);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->GetList()->Items().empty());
    EXPECT_EQ(dialog->GetList()->GetSelected(), nullptr);
    EXPECT_TRUE(dialog->GetList()->GetSelectionMask()->IsHidden());
    ClickAsClientOf(socket, CentreOf(dialog->GetPrintButton()));
    EXPECT_FALSE(IsOpen());
    Pass();
    EXPECT_NE(TopScreen(), nullptr) << "the end screen stays";
}

} // namespace
} // namespace pestrol::test
