#include "exercise/girlview.h"

#include "gui/IMDialogBase.h"

#include <array>
#include <string_view>

namespace pestrol {

namespace {

using Names = std::array<std::wstring_view, 3>;

// The images by attribute value: [Sex], [ShoeType], or [type][length].
constexpr std::array<std::wstring_view, 2> kBodyImages = {L"111", L"136"};
constexpr std::wstring_view kHandImage = L"146";
constexpr std::array<std::wstring_view, 3> kShoeImages = {L"122", L"144", L"121"};
constexpr std::array<Names, 3> kBottomImages = {{
    {L"123", L"124", L"112"},
    {L"147", L"148", L"137"},
    {L"127", L"128", L"126"},
}};
constexpr std::array<Names, 2> kTopImages = {{
    {L"115", L"116", L"114"},
    {L"139", L"140", L"138"},
}};
constexpr std::array<Names, 3> kHairFrontImages = {{
    {L"130", L"131", L"129"},
    {L"150", L"156", L"151"},
    {L"118", L"119", L"117"},
}};
constexpr std::array<Names, 3> kHairBackImages = {{
    {L"153", L"134", L"133"},
    {L"152", L"157", L"152"},
    {L"153", L"153", L"153"},
}};
constexpr std::array<std::wstring_view, 2> kGlassesImages = {L"120", L"143"};
constexpr std::array<std::wstring_view, 2> kHeadwearImages = {L"155", L"154"};
constexpr std::wstring_view kTieImage = L"141";
constexpr std::wstring_view kBagImage = L"125";
constexpr std::wstring_view kPatchImage = L"142";
constexpr std::wstring_view kBareScalpImage = L"135";

IMPicture* AddLayer(IMDialog* container, std::int32_t layer, std::wstring_view image)
{
    return container->CreatePicture(0, 0, image, layer);
}

// Products of the single-precision scale, formed in double as the canvas sizes expect
// (0.7 of 250 is 174, not the 175 a float product rounds to), truncated toward zero.
std::int32_t Scaled(float scale, std::int32_t length)
{
    return static_cast<std::int32_t>(static_cast<double>(scale) * length);
}

}  // namespace

girlview::girlview(IMDialog* container)
    : m_body(AddLayer(container, 1, kBodyImages[kGirl])),
      m_hand(AddLayer(container, 3, kHandImage)),
      m_shoes(AddLayer(container, 2, kShoeImages[kFlatShoes])),
      m_top(AddLayer(container, 2, kTopImages[kGirl][kShort])),
      m_tie(AddLayer(container, 2, kTieImage)),
      m_bottom(AddLayer(container, 2, kBottomImages[kGirlsTrousers][kShort])),
      m_glasses(AddLayer(container, 2, kGlassesImages[kGirl])),
      m_hairFront(AddLayer(container, 2, kHairFrontImages[kLooseHair][kShort])),
      m_hairBack(AddLayer(container, 0, kHairBackImages[kLooseHair][kShort])),
      m_headwear(AddLayer(container, 2, kHeadwearImages[kGirl])),
      m_bag(AddLayer(container, 2, kBagImage)),
      m_patch(AddLayer(container, 3, kPatchImage))
{
}

long girlview::SetSex(int v)
{
    m_appearance.Sex = v;
    return Refresh();
}

long girlview::SetSleeveLength(int v)
{
    m_appearance.SleeveLength = v;
    return Refresh();
}

long girlview::SetBottomLength(int v)
{
    m_appearance.BottomLength = v;
    return Refresh();
}

long girlview::SetBottomType(int v)
{
    m_appearance.BottomType = v;
    return Refresh();
}

long girlview::SetShoeType(int v)
{
    m_appearance.ShoeType = v;
    return Refresh();
}

long girlview::SetTie(bool v)
{
    m_appearance.Tie = v;
    return Refresh();
}

long girlview::SetHairPresent(bool v)
{
    m_appearance.HairPresent = v;
    return Refresh();
}

long girlview::SetGlasses(bool v)
{
    m_appearance.Glasses = v;
    return Refresh();
}

long girlview::SetHeadwear(bool v)
{
    m_appearance.Headwear = v;
    return Refresh();
}

long girlview::SetBag(bool v)
{
    m_appearance.Bag = v;
    return Refresh();
}

long girlview::SetHairLength(int v)
{
    m_appearance.HairLength = v;
    return Refresh();
}

long girlview::SetHairType(int v)
{
    m_appearance.HairType = v;
    return Refresh();
}

long girlview::SetShoeColour(Colour v)
{
    return Tint(&Appearance::ShoeColour, v, {m_shoes});
}

long girlview::SetBottomColour(Colour v)
{
    return Tint(&Appearance::BottomColour, v, {m_bottom, m_patch});
}

long girlview::SetTopColour(Colour v)
{
    return Tint(&Appearance::TopColour, v, {m_top});
}

long girlview::SetTieColour(Colour v)
{
    return Tint(&Appearance::TieColour, v, {m_tie});
}

long girlview::SetHairColour(Colour v)
{
    return Tint(&Appearance::HairColour, v, {m_hairFront, m_hairBack});
}

long girlview::Tint(Colour Appearance::*attribute, Colour colour,
                    std::initializer_list<IMPicture*> layers)
{
    m_appearance.*attribute = colour;
    for (IMPicture* layer : layers) {
        layer->colour = colour;
        layer->SetDirty(true);
    }
    return Refresh();
}

void girlview::Fit(IMPicture* layer, bool shown)
{
    if (!shown) {
        layer->Hide();
        return;
    }
    layer->SetSize(m_size.width, m_size.height);
    layer->Show();
}

long girlview::Refresh()
{
    const Appearance& a = m_appearance;
    m_body->SetImage(kBodyImages[a.Sex]);
    const Rect canvas = m_body->GetSourceRect();
    m_size = {Scaled(scaleX, canvas.Width()), Scaled(scaleY, canvas.Height())};
    m_body->SetSize(m_size.width, m_size.height);
    Fit(m_hand, a.Sex == kBoy);
    Fit(m_tie, a.Tie);
    m_shoes->SetImage(kShoeImages[a.ShoeType]);
    Fit(m_shoes, true);
    m_top->SetImage(kTopImages[a.Sex][a.SleeveLength]);
    Fit(m_top, true);
    m_bottom->SetImage(kBottomImages[a.BottomType][a.BottomLength]);
    Fit(m_bottom, true);
    RefreshHair();
    if (a.Glasses)
        m_glasses->SetImage(kGlassesImages[a.Sex]);
    Fit(m_glasses, a.Glasses);
    if (a.Headwear)
        m_headwear->SetImage(kHeadwearImages[a.Sex]);
    Fit(m_headwear, a.Headwear);
    Fit(m_bag, a.Bag);
    Fit(m_patch, a.Sex == kBoy);
    Changed(this);
    return 0;
}

void girlview::RefreshHair()
{
    const Appearance& a = m_appearance;
    if (!a.HairPresent) {
        m_hairFront->SetImage(kBareScalpImage);
        Fit(m_hairFront, true);
        Fit(m_hairBack, false);
        return;
    }
    // Braids and the boy's short hair have nothing behind the head.
    const bool back =
        !(a.HairType == kBraids || (a.HairType == kBoysHair && a.HairLength == kShort));
    m_hairFront->SetImage(kHairFrontImages[a.HairType][a.HairLength]);
    m_hairBack->SetImage(kHairBackImages[a.HairType][a.HairLength]);
    Fit(m_hairFront, true);
    m_hairBack->SetSize(m_size.width, m_size.height);
    Fit(m_hairBack, back);
}

}  // namespace pestrol
