#pragma once

#include "platform/Clock.h"
#include "platform/Colour.h"
#include "platform/Random.h"

#include <array>
#include <concepts>
#include <cstdint>
#include <ctime>
#include <string_view>

namespace pestrol {

// The seventeen attributes in the order in which they are compared and timed.
enum class Attribute {
    Sex,
    SleeveLength,
    BottomLength,
    BottomType,
    ShoeType,
    Tie,
    HairPresent,
    Glasses,
    Headwear,
    Bag,
    HairLength,
    HairType,
    ShoeColour,
    BottomColour,
    TopColour,
    TieColour,
    HairColour,
};
constexpr int kAttributeCount = 17;

// What the report calls each attribute, in attribute order.
constexpr std::array<std::wstring_view, kAttributeCount> kAttributeLabels = {
    L"Пол",           L"Длина рукавов", L"Длина низа",    L"Тип низа",
    L"Каблуки",       L"Галстук",       L"Наличие волос", L"Очки",
    L"Головной убор", L"Сумка",         L"Длина волос",   L"Тип волос",
    L"Обувь цвет",    L"Штаны цвет",    L"Верх цвет",     L"Галстук цвет",
    L"Волосы цвет",
};

// Sex; the middle value of the three-valued types is the boy's variant.
constexpr int kGirl = 0;
constexpr int kBoy = 1;
// Lengths of sleeves, bottoms and hair.
constexpr int kShort = 0;
constexpr int kMedium = 1;
constexpr int kLong = 2;
// BottomType
constexpr int kGirlsTrousers = 0;
constexpr int kBoysTrousers = 1;
constexpr int kSkirt = 2;
// ShoeType
constexpr int kFlatShoes = 0;
constexpr int kBoysShoes = 1;
constexpr int kHeeledShoes = 2;
// HairType
constexpr int kLooseHair = 0;
constexpr int kBoysHair = 1;
constexpr int kBraids = 2;

// The colours each colour attribute offers, per sex ([kGirl], [kBoy]), in swatch order.
using Palette = std::array<Colour, 4>;
constexpr std::array<Palette, 2> kShoePalettes = {{
    {0xFF9900B7, 0xFF01A010, 0xFFF4A511, 0xFF1ECFFB},
    {0xFF00007D, 0xFF336800, 0xFFCC3300, 0xFFA8BCB9},
}};
constexpr std::array<Palette, 2> kTopPalettes = {{
    {0xFFFF0099, 0xFF53FE01, 0xFFFFFF33, 0xFFFF0000},
    {0xFF44A2FF, 0xFFFFE300, 0xFF63C102, 0xFFFF0000},
}};
constexpr std::array<Palette, 2> kBottomPalettes = {{
    {0xFF9900B7, 0xFF01A010, 0xFFF4A511, 0xFF1ECFFB},
    {0xFFEC4D00, 0xFF1500D5, 0xFF005128, 0xFF8E8E02},
}};
// A girl wears no tie: her row is four whites that no target uses.
constexpr std::array<Palette, 2> kTiePalettes = {{
    {kWhite, kWhite, kWhite, kWhite},
    {0xFF006211, 0xFF000055, 0xFFFF8600, 0xFFCFFF2B},
}};
// The same three for both sexes.
constexpr std::array<Colour, 3> kHairPalette = {0xFFFFFFCC, 0xFFEC4D00, 0xFF070707};

// The appearance of a drawn child. A new one is a girl in white: flat shoes, short
// trousers, short sleeves, short loose hair, nothing worn and nothing carried. White
// stands for "no colour chosen".
struct Appearance {
    int Sex = kGirl;
    int SleeveLength = kShort;
    int BottomLength = kShort;
    int BottomType = kGirlsTrousers;
    int ShoeType = kFlatShoes;
    bool Tie = false;
    bool HairPresent = true;
    bool Glasses = false;
    bool Headwear = false;
    bool Bag = false;
    int HairLength = kShort;
    int HairType = kLooseHair;
    Colour ShoeColour = kWhite;
    Colour BottomColour = kWhite;
    Colour TopColour = kWhite;
    Colour TieColour = kWhite;
    Colour HairColour = kWhite;

    // One attribute's value as a number, for attribute-by-attribute plain comparison.
    std::uint32_t ValueOf(Attribute attribute) const;

    // The attribute operations, as the figure offers them; here they only store.
    long SetSex(int v) { Sex = v; return 0; }
    long SetSleeveLength(int v) { SleeveLength = v; return 0; }
    long SetBottomLength(int v) { BottomLength = v; return 0; }
    long SetBottomType(int v) { BottomType = v; return 0; }
    long SetShoeType(int v) { ShoeType = v; return 0; }
    long SetTie(bool v) { Tie = v; return 0; }
    long SetHairPresent(bool v) { HairPresent = v; return 0; }
    long SetGlasses(bool v) { Glasses = v; return 0; }
    long SetHeadwear(bool v) { Headwear = v; return 0; }
    long SetBag(bool v) { Bag = v; return 0; }
    long SetHairLength(int v) { HairLength = v; return 0; }
    long SetHairType(int v) { HairType = v; return 0; }
    long SetShoeColour(Colour v) { ShoeColour = v; return 0; }
    long SetBottomColour(Colour v) { BottomColour = v; return 0; }
    long SetTopColour(Colour v) { TopColour = v; return 0; }
    long SetTieColour(Colour v) { TieColour = v; return 0; }
    long SetHairColour(Colour v) { HairColour = v; return 0; }

    const Appearance& GetAppearance() const { return *this; }
};

// Anything that holds an appearance and changes it through the attribute operations:
// the record above, and the drawn figure that redraws itself after each.
template <class Figure>
concept AppearanceHolder = requires(Figure& f, const Figure& cf, int n, bool b, Colour c) {
    f.SetSex(n);
    f.SetSleeveLength(n);
    f.SetBottomLength(n);
    f.SetBottomType(n);
    f.SetShoeType(n);
    f.SetTie(b);
    f.SetGlasses(b);
    f.SetHeadwear(b);
    f.SetBag(b);
    f.SetHairPresent(b);
    f.SetHairLength(n);
    f.SetHairType(n);
    f.SetShoeColour(c);
    f.SetBottomColour(c);
    f.SetTopColour(c);
    f.SetTieColour(c);
    f.SetHairColour(c);
    { cf.GetAppearance() } -> std::convertible_to<const Appearance&>;
};

// True when the pupil's appearance is the target's: discrete attributes equal, hair
// length only where there is hair, tie colour only where a tie is worn, colours exact.
bool AppearancesEqual(const Appearance& pupil, const Appearance& target);

template <AppearanceHolder Figure>
bool AppearancesEqual(const Figure& pupil, const Figure& target)
{
    return AppearancesEqual(pupil.GetAppearance(), target.GetAppearance());
}

namespace detail {
inline bool Coin() { return Rand() % 2 == 0; }
inline int OneOf(int n) { return Rand() % n; }
}  // namespace detail

// Gives a freshly made figure (all defaults) a random appearance that a pupil can
// rebuild. The generator is reseeded from `now` (calendar seconds) first, so two targets
// made in the same second are the same; the draws follow a fixed order.
template <AppearanceHolder Figure>
void GenerateTarget(Figure& figure, std::time_t now)
{
    using detail::Coin;
    using detail::OneOf;
    Srand(static_cast<unsigned int>(now));
    if (Coin()) {
        figure.SetShoeType(kBoysShoes);
        figure.SetShoeColour(kShoePalettes[kBoy][OneOf(4)]);
        figure.SetTopColour(kTopPalettes[kBoy][OneOf(4)]);
        figure.SetBottomType(kBoysTrousers);
        figure.SetBottomColour(kBottomPalettes[kBoy][OneOf(4)]);
        figure.SetTieColour(kTiePalettes[kBoy][OneOf(4)]);
        figure.SetHairType(kBoysHair);
        figure.SetHairPresent(false);  // a generated boy always has a bare scalp
        figure.SetTie(Coin());
        figure.SetSex(kBoy);
    } else {
        figure.SetShoeType(kFlatShoes);
        if (Coin())
            figure.SetShoeType(kHeeledShoes);
        figure.SetShoeColour(kShoePalettes[kGirl][OneOf(4)]);
        figure.SetTopColour(kTopPalettes[kGirl][OneOf(4)]);
        figure.SetBottomType(kGirlsTrousers);
        if (Coin())
            figure.SetBottomType(kSkirt);
        figure.SetBottomColour(kBottomPalettes[kGirl][OneOf(4)]);
        figure.SetHairType(kLooseHair);
        if (Coin())
            figure.SetHairType(kBraids);
        figure.SetHairColour(kHairPalette[OneOf(3)]);
        figure.SetBag(Coin());
        figure.SetSex(kGirl);
    }
    figure.SetGlasses(Coin());
    figure.SetHeadwear(Coin());
    figure.SetHairLength(OneOf(3));
    figure.SetSleeveLength(OneOf(3));
    figure.SetBottomLength(OneOf(3));
}

template <AppearanceHolder Figure>
void GenerateTarget(Figure& figure)
{
    GenerateTarget(figure, CalendarSeconds());
}

}  // namespace pestrol
