#include "gfx/DefaultSkin.h"
#include "gfx/GfxTestSupport.h"
#include "gfx/IMTextView.h"
#include "platform/ResourceLibrary.h"
#include "platform/Utf8.h"

#include <SDL.h>

namespace pestrol::test {
namespace {

class Skin : public ProgramRendererTest {
};

TEST_F(Skin, IsRegisteredAtStartUpInTheTablesOrder)
{
    const auto names = DefaultSkinNames();
    ASSERT_EQ(names.size(), 57u);
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(Manager().FindTexture(names[i]), i) << ToUtf8(names[i]);
        EXPECT_EQ(Manager().GetRefCount(TextureIndex(i)), 1);
    }
    EXPECT_EQ(Manager().GetImageRect(Manager().FindTexture(L"DefaultBackGround")),
        (Rect { 0, 0, 800, 600 }));
    EXPECT_EQ(
        Manager().GetTexturePixel(Manager().FindTexture(L"SelectionMask"), 0, 0), 0x1C0056FFu);
    Manager().ReleaseDefaultSkin();
    EXPECT_EQ(Manager().FindTexture(L"PrintButton"), Manager().SlotCount());
    Manager().RegisterDefaultSkin(); // DestroyRenderer releases it again
}

// Every skin picture and Cyrillic text in the sizes the screens use, written to
// gfx_preview.png in the working directory for a person to look at.
TEST_F(Skin, RendersAPreviewOfThePicturesAndTheText)
{
    Manager().BeginFrame();
    Manager().DrawTexture(
        Manager().FindTexture(L"DefaultBackGround"), { 0, 0, 800, 600 }, nullptr, kWhite, 0);
    int x = 8, y = 8, rowHeight = 0;
    for (const wchar_t* name : DefaultSkinNames().subspan(1)) {
        const TextureIndex index = Manager().FindTexture(name);
        Rect r = Manager().GetImageRect(index);
        if (r.Width() == 1 && r.Height() == 1)
            r = { 0, 0, 16, 16 }; // one-pixel fills, shown as swatches
        if (x + r.Width() > 792) {
            x = 8;
            y += rowHeight + 6;
            rowHeight = 0;
        }
        Manager().DrawTexture(index, r.Offset(x, y), nullptr, kWhite, 0);
        x += r.Width() + 6;
        rowHeight = std::max(rowHeight, r.Height());
    }
    std::vector<std::unique_ptr<IMTextView>> texts;
    y += rowHeight + 16;
    struct Line {
        std::int32_t height;
        bool bold;
        Colour colour;
        const wchar_t* text;
    };
    const Line lines[] = {
        { 14, false, 0xFF000000, L"14: Съешь же ещё этих мягких французских булок, да выпей чаю." },
        { 16, false, 0xFF000000, L"16: Тренажер «Пестроль» — одень ребёнка как на картинке!" },
        { 18, false, 0xFF30609E, L"18: Нажми пробел, чтобы начать. Ёж, щука, юла, эхо." },
        { 24, false, 0xFF000000, L"24: Мальчик, девочка, шапка, очки" },
        { 24, true, 0xFF22921C, L"24 жирный: Молодец! Правильно!" },
        { 16, true, 0xFFB22715, L"16 жирный: Закрыть · Повторить · Печать" },
    };
    for (const Line& line : lines) {
        auto view = std::make_unique<IMTextView>();
        view->SetRect({ 8, y, 792, y + line.height });
        view->SetStyle({ .colour = line.colour, .bold = line.bold, .height = line.height });
        view->SetText(line.text);
        view->Draw();
        y += line.height + 6;
        texts.push_back(std::move(view));
    }
    IMTextView underlined;
    underlined.SetRect({ 8, y, 792, y + 20 });
    underlined.SetStyle({ .colour = 0xFF000000, .underline = true, .height = 20 });
    underlined.SetText(L"20 подчёркнутый: Сохранить как...");
    underlined.Draw();

    const auto frame = Frame();
    ASSERT_TRUE(WritePngFile("gfx_preview.png", 800, 600, frame));
    EXPECT_NE(frame[800 * 595 + 795], kOpaqueBlack) << "the background fills the frame";
}

} // namespace
} // namespace pestrol::test
