#include "gui/IMEditBar.h"
#include "gui/IMTextEdit.h"
#include "platform/Utf8.h"
#include "report/IMSaveAsDialog.h"
#include "screens/ScreenTestSupport.h"

namespace pestrol::test {
namespace {

class SaveAsTest : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        m_app->ShowStartScreen();
        Pass();
        RunToEndScreen(L"Морозов");
    }
    IMSaveAsDialog* OpenSaveAs()
    {
        Click(128 + 74, 490 + 23);
        return dynamic_cast<IMSaveAsDialog*>(TopScreen());
    }
    void ReplacePath(IMSaveAsDialog* dialog, const std::wstring& path)
    {
        for (std::size_t i = dialog->GetText().size(); i > 0; --i)
            Key(vk::kBack);
        Type(path);
    }
    void ClickSaveAs() { Click(220 + 30 + 74, 225 + 79 + 23); }
};

TEST_F(SaveAsTest, OpensOnTheReportsOwnPathWithTheCursorAtTheEnd)
{
    IMSaveAsDialog* dialog = OpenSaveAs();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetRect(), IMSaveAsDialog::kPlace);
    const std::wstring path = m_app->Results().Report()->Path();
    EXPECT_EQ(dialog->GetText(), path);
    IMTextEdit* edit = dialog->GetPathField()->GetTextEdit();
    EXPECT_EQ(edit->GetCursor(), static_cast<std::int32_t>(path.size()));
    EXPECT_TRUE(edit->HasFocus()) << "the caret blinks in the path field";
    const Rect caret = edit->GetCaret()->GetRect();
    EXPECT_GT(caret.left, 0) << "the end of the long path is in view";
    EXPECT_LE(caret.right, dialog->GetPathField()->GetWidth());
}

TEST_F(SaveAsTest, SavesToATypedPathAndOpensAgainOnTheOwnPath)
{
    TempFolder other;
    const std::string copy = other / "копия.xls";
    IMSaveAsDialog* dialog = OpenSaveAs();
    ReplacePath(dialog, FromUtf8(copy));
    ClickSaveAs();
    EXPECT_EQ(dynamic_cast<IMSaveAsDialog*>(TopScreen()), nullptr) << "closed after saving";
    m_app->Results().SaveReport();
    EXPECT_EQ(ReadBytes(copy), ReadBytes(ReportPath())) << "the same document";

    const std::string second = other / "second.xls";
    dialog = OpenSaveAs();
    EXPECT_EQ(dialog->GetText(), m_app->Results().Report()->Path()) << "not the last path";
    ReplacePath(dialog, FromUtf8(second));
    ClickSaveAs();
    EXPECT_EQ(SheetRows(second).at(L"Морозов").size(), 4u);
    EXPECT_EQ(m_app->Results().Report()->Path(), FromUtf8(ReportPath())) << "own path kept";
}

TEST_F(SaveAsTest, CloseLeavesWithoutSavingAndAnImpossiblePathKeepsTheDialog)
{
    IMSaveAsDialog* dialog = OpenSaveAs();
    ReplacePath(dialog, L"/nonexistent/folder/report.xls");
    ClickSaveAs();
    ASSERT_EQ(TopScreen(), dialog) << "still open, saying so";
    EXPECT_FALSE(std::filesystem::exists("/nonexistent/folder/report.xls"));
    Click(220 + 221 + 55, 225 + 79 + 23);
    EXPECT_EQ(dynamic_cast<IMSaveAsDialog*>(TopScreen()), nullptr);
}

} // namespace
} // namespace pestrol::test
