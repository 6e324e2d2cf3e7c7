#include "exercise/Appearance.h"

namespace pestrol {

std::uint32_t Appearance::ValueOf(Attribute attribute) const
{
    switch (attribute) {
    case Attribute::Sex: return static_cast<std::uint32_t>(Sex);
    case Attribute::SleeveLength: return static_cast<std::uint32_t>(SleeveLength);
    case Attribute::BottomLength: return static_cast<std::uint32_t>(BottomLength);
    case Attribute::BottomType: return static_cast<std::uint32_t>(BottomType);
    case Attribute::ShoeType: return static_cast<std::uint32_t>(ShoeType);
    case Attribute::Tie: return Tie;
    case Attribute::HairPresent: return HairPresent;
    case Attribute::Glasses: return Glasses;
    case Attribute::Headwear: return Headwear;
    case Attribute::Bag: return Bag;
    case Attribute::HairLength: return static_cast<std::uint32_t>(HairLength);
    case Attribute::HairType: return static_cast<std::uint32_t>(HairType);
    case Attribute::ShoeColour: return ShoeColour;
    case Attribute::BottomColour: return BottomColour;
    case Attribute::TopColour: return TopColour;
    case Attribute::TieColour: return TieColour;
    case Attribute::HairColour: return HairColour;
    }
    return 0;
}

bool AppearancesEqual(const Appearance& pupil, const Appearance& target)
{
    const Appearance& a = pupil;
    const Appearance& b = target;
    const bool discrete = a.Sex == b.Sex && a.SleeveLength == b.SleeveLength &&
                          a.BottomLength == b.BottomLength && a.BottomType == b.BottomType &&
                          a.ShoeType == b.ShoeType && a.Tie == b.Tie &&
                          a.HairPresent == b.HairPresent && a.Glasses == b.Glasses &&
                          a.Headwear == b.Headwear && a.Bag == b.Bag && a.HairType == b.HairType;
    if (!discrete)
        return false;
    if (a.HairPresent && a.HairLength != b.HairLength)
        return false;
    if (a.ShoeColour != b.ShoeColour || a.BottomColour != b.BottomColour ||
        a.TopColour != b.TopColour || a.HairColour != b.HairColour)
        return false;
    return !a.Tie || a.TieColour == b.TieColour;
}

}  // namespace pestrol
