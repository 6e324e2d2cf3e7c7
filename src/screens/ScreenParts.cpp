#include "screens/ScreenParts.h"

namespace pestrol {

IMCaption* MakeCaption(
    IMDialog* dialog, std::wstring_view text, const CaptionStyle& style, Point at)
{
    auto* caption = new IMCaption(dialog, 0);
    caption->SetStyle({ .colour = style.colour, .bold = style.bold, .height = style.height });
    caption->SetText(text);
    caption->SetRect(caption->GetSourceRect());
    caption->MoveTo(at);
    return caption;
}

IMCaption* MakeCentredCaption(
    IMDialog* dialog, std::wstring_view text, const CaptionStyle& style, std::int32_t top)
{
    IMCaption* caption = MakeCaption(dialog, text, style, { 0, top });
    caption->MoveTo(dialog->GetWidth() / 2 - caption->GetWidth() / 2, top);
    return caption;
}

IMPicture* MakeBackground(IMDialog* dialog)
{
    IMPicture* background = dialog->CreatePicture(0, 0, L"DefaultBackGround", 0, kWhite);
    background->SetRect({ 0, 0, dialog->GetWidth(), dialog->GetHeight() });
    return background;
}

IMPicture* MakeLine(IMDialog* dialog, const Rect& rect)
{
    auto* line = new IMPicture(dialog, 0);
    line->SetImage(L"EditBarKaretka");
    line->SetSize(rect.Width(), rect.Height());
    line->MoveTo(rect.left, rect.top);
    return line;
}

void MakeFrame(IMDialog* dialog)
{
    const std::int32_t w = dialog->GetRect().Width();
    const std::int32_t h = dialog->GetRect().Height();
    MakeLine(dialog, { 0, 0, 1, h });
    MakeLine(dialog, { 0, 0, w, 1 });
    MakeLine(dialog, { 0, h - 1, w, h });
    MakeLine(dialog, { w - 1, 0, w, h });
}

} // namespace pestrol
