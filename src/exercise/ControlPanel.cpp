#include "exercise/ControlPanel.h"

#include "exercise/Appearance.h"
#include "exercise/girlview.h"
#include "gui/IMCRButtons.h"
#include "gui/IMGroupBox.h"
#include "gui/IMScroll.h"
#include "gui/IMSlider.h"

#include <boost/bind/bind.hpp>

namespace pestrol {

namespace {

using boost::placeholders::_2;

constexpr Colour kTitleBlue = 0xFF3366CC;
constexpr Colour kTitleBlueGrey = 0x803366CC;
constexpr Colour kBlack = 0xFF000000;
constexpr Colour kGrey = 0x80000000;
constexpr std::int32_t kSliderWidth = 106;
constexpr std::int32_t kSliderHeight = 16;
constexpr std::int32_t kSwatchLeft = 160;
constexpr std::int32_t kSwatchStep = 20;

IMCaption* AddLabel(IMDialog* parent, std::int32_t x, std::int32_t y, std::wstring_view text,
                    Colour colour = kBlack)
{
    IMCaption* label = parent->CreateText(x, y, text);
    label->SetColour(colour);
    return label;
}

long Paint(IMCaption* label, Colour colour)
{
    label->SetColour(colour);
    return 0;
}

// Bound to the label, so the connection goes with it.
void FollowEnabled(IMControl* control, IMCaption* label, Colour on = kBlack, Colour off = kGrey)
{
    control->Enabled.connect(boost::bind(&Paint, label, on));
    control->Disabled.connect(boost::bind(&Paint, label, off));
}

// A picture stretched over (x, y, width, height), for the frame's lines.
void AddStretched(IMDialog* parent, std::wstring_view image, std::int32_t x, std::int32_t y,
                  std::int32_t width, std::int32_t height)
{
    auto* picture = new IMPicture(parent, 0);
    picture->SetImage(image);
    picture->SetSize(width, height);
    picture->MoveTo(x, y);
}

}  // namespace

ControlPanel::ControlPanel(IMDialog* screen)
    : IMDialog(screen, Rect{0, 0, kWidth, 600}, 0), m_content(new IMDialog(this, std::nullopt, 0))
{
    m_content->SetSize(kWidth, kContentHeight);
    AddStretched(m_content, L"159", 0, 0, kWidth, kContentHeight);
}

void ControlPanel::Build(girlview* figure, IMDialog* figureContainer)
{
    m_figureContainer = figureContainer;
    BuildSexGroup(figure);
    BuildWornAndCarried(figure);
    BuildHairGroup(figure);
    BuildTopGroup(figure);
    BuildBottomGroup(figure);
    BuildShoeGroup(figure);
    BuildScrollBar();
    m_girl->SetChecked(true);
}

void ControlPanel::BuildSexGroup(girlview* figure)
{
    IMGroupBox* group = AddGroup(5, 150, 90, 28, L"Пол");
    m_girl = group->AddRadioButton(20);
    m_girl->Checked.connect(boost::bind(&ControlPanel::SelectGirl, this, figure));
    group->CreatePicture(40, 17, L"162");
    AddLabel(group, 85, 20, L"Девочка");
    m_boy = group->AddRadioButton(50);
    m_boy->Checked.connect(boost::bind(&ControlPanel::SelectBoy, this, figure));
    group->CreatePicture(45, 47, L"161");
    AddLabel(group, 85, 50, L"Мальчик");
}

void ControlPanel::BuildWornAndCarried(girlview* figure)
{
    IMDialog* c = m_content;
    AddCheckBox(c, 15, 130, boost::bind(&girlview::SetHeadwear, figure, true),
                boost::bind(&girlview::SetHeadwear, figure, false));
    c->CreatePicture(50, 129, L"178");
    AddLabel(c, 90, 130, L"Головной убор");
    AddCheckBox(c, 15, 160, boost::bind(&girlview::SetGlasses, figure, true),
                boost::bind(&girlview::SetGlasses, figure, false));
    c->CreatePicture(50, 165, L"180");
    AddLabel(c, 90, 160, L"Очки");
    m_bag = AddCheckBox(c, 15, 190, boost::bind(&girlview::SetBag, figure, true),
                        boost::bind(&girlview::SetBag, figure, false));
    c->CreatePicture(50, 185, L"185");
    FollowEnabled(m_bag, AddLabel(c, 90, 190, L"Сумочка"));
}

void ControlPanel::BuildHairGroup(girlview* figure)
{
    IMGroupBox* group = AddGroup(235, 265, 170, 73, {});
    m_hair = AddCheckBox(group, 5, 0, boost::bind(&girlview::SetHairPresent, figure, true),
                         boost::bind(&girlview::SetHairPresent, figure, false));
    // A bare scalp is drawn untinted, as a generated boy's is.
    m_hair->Unchecked.connect(boost::bind(&girlview::SetHairColour, figure, kWhite));
    AddLabel(group, 25, 0, L"Волосы", kTitleBlue);
    IMCaption* lengthLabel = AddLabel(group, 10, 20, L"Длина волос");
    m_hairLength = AddSlider(group, 10, 45, &girlview::SetHairLength, figure);
    group->CreatePicture(7, 75, L"190");
    group->CreatePicture(100, 75, L"189");
    m_braids = AddCheckBox(group, 10, 130, boost::bind(&girlview::SetHairType, figure, kBraids),
                           boost::bind(&girlview::SetHairType, figure, kLooseHair));
    group->CreatePicture(35, 125, L"179");
    FollowEnabled(m_braids, AddLabel(group, 80, 130, L"Косички"));
    IMCaption* colourLabel = AddLabel(group, 160, 20, L"Цвет волос");
    AddSwatches(group, kHairRow, 45, kHairPalette.size(), &girlview::SetHairColour, figure);

    // Without hair its length and colour do not apply.
    for (IMCaption* label : {lengthLabel, colourLabel}) {
        m_hair->Checked.connect(boost::bind(&Paint, label, kBlack));
        m_hair->Unchecked.connect(boost::bind(&Paint, label, kGrey));
    }
    // A disabled slider still hands the mouse to its thumb, so the thumb is disabled too.
    std::vector<IMControl*> followers(m_swatches[kHairRow].begin(), m_swatches[kHairRow].end());
    followers.push_back(m_hairLength);
    followers.push_back(m_hairLength->GetThumb());
    for (IMControl* control : followers) {
        m_hair->Checked.connect(boost::bind(&IMControl::Enable, control));
        m_hair->Unchecked.connect(boost::bind(&IMControl::Disable, control));
    }
}

void ControlPanel::BuildTopGroup(girlview* figure)
{
    IMGroupBox* group = AddGroup(435, 265, 180, 115, L"Рубашка/Блузка");
    AddLabel(group, 10, 20, L"Рукава");
    AddLabel(group, 160, 20, L"Цвет");
    AddSwatches(group, kTopRow, 45, 4, &girlview::SetTopColour, figure);
    m_tie = AddCheckBox(group, 10, 130, boost::bind(&girlview::SetTie, figure, true),
                        boost::bind(&girlview::SetTie, figure, false));
    group->CreatePicture(45, 125, L"175");
    FollowEnabled(m_tie, AddLabel(group, 80, 130, L"Галстук", kTitleBlue), kTitleBlue,
                  kTitleBlueGrey);
    FollowEnabled(m_tie, AddLabel(group, 160, 120, L"Цвет"));
    AddSwatches(group, kTieRow, 145, 4, &girlview::SetTieColour, figure);
    AddSlider(group, 10, 45, &girlview::SetSleeveLength, figure);
    group->CreatePicture(7, 75, L"182");
    group->CreatePicture(90, 75, L"181");
}

void ControlPanel::BuildBottomGroup(girlview* figure)
{
    IMGroupBox* group = AddGroup(650, 265, 210, 85, L"Брюки/Юбка");
    m_trousers = group->AddRadioButton(35);
    // Checked before it is wired, so that this first check sets nothing.
    m_trousers->SetChecked(true);
    m_trousers->Checked.connect(boost::bind(&girlview::SetBottomType, figure, kGirlsTrousers));
    group->CreatePicture(40, 30, L"184");
    AddLabel(group, 80, 35, L"Брюки/Шорты");
    m_skirt = group->AddRadioButton(75);
    m_skirt->Checked.connect(boost::bind(&girlview::SetBottomType, figure, kSkirt));
    group->CreatePicture(40, 70, L"186");
    FollowEnabled(m_skirt, AddLabel(group, 80, 75, L"Юбка"));
    AddLabel(group, 10, 115, L"Длина");
    AddLabel(group, 160, 115, L"Цвет");
    AddSwatches(group, kBottomRow, 140, 4, &girlview::SetBottomColour, figure);
    AddSlider(group, 10, 140, &girlview::SetBottomLength, figure);
    group->CreatePicture(7, 165, L"183");
    group->CreatePicture(90, 165, L"174");
}

void ControlPanel::BuildShoeGroup(girlview* figure)
{
    IMGroupBox* group = AddGroup(890, 265, 75, 46, L"Туфли");
    m_heel = AddCheckBox(group, 10, 35, boost::bind(&girlview::SetShoeType, figure, kHeeledShoes),
                         boost::bind(&girlview::SetShoeType, figure, kFlatShoes));
    group->CreatePicture(35, 35, L"176");
    FollowEnabled(m_heel, AddLabel(group, 85, 35, L"Каблук"));
    AddLabel(group, 160, 20, L"Цвет");
    AddSwatches(group, kShoeRow, 40, 4, &girlview::SetShoeColour, figure);
}

void ControlPanel::BuildScrollBar()
{
    m_scroll = new IMScroll(this, IMScroll::kVertical, std::nullopt, true);
    m_scroll->SetRange(0, kContentHeight);
    m_scroll->SetPage(600);
    m_scroll->ValueChanged.connect(boost::bind(&ControlPanel::ScrollTo, this, _2));
}

IMGroupBox* ControlPanel::AddGroup(std::int32_t y, std::int32_t w, std::int32_t h,
                                   std::int32_t gap, std::wstring_view title)
{
    IMGroupBox* group = CreateGroupBox(m_content, y, w, h);
    group->CreatePicture(0, 7, L"103");
    group->CreatePicture(w - 2, 7, L"105");
    group->CreatePicture(0, h - 2, L"102");
    group->CreatePicture(w - 2, h - 2, L"104");
    AddStretched(group, L"101", 2, 7, 2, 2);
    AddStretched(group, L"101", gap + 4, 7, w - gap - 6, 2);
    AddStretched(group, L"107", 2, h - 2, w - 4, 2);
    AddStretched(group, L"106", 0, 9, 2, h - 11);
    AddStretched(group, L"108", w - 2, 9, 2, h - 11);
    if (!title.empty())
        AddLabel(group, 5, 0, title, kTitleBlue);
    return group;
}

IMCheckBox* ControlPanel::AddCheckBox(IMDialog* parent, std::int32_t x, std::int32_t y,
                                      const Handler& checked, const Handler& unchecked)
{
    IMCheckBox* box = CreateCheckBox(parent, x, y);
    box->Checked.connect(checked);
    box->Unchecked.connect(unchecked);
    return box;
}

IMSlider* ControlPanel::AddSlider(IMDialog* parent, std::int32_t x, std::int32_t y,
                                  long (girlview::*setter)(int), girlview* figure)
{
    auto* slider = new IMSlider(parent, {x, y, x + kSliderWidth, y + kSliderHeight});
    slider->SetRange(0, 2);
    slider->SetPage(0);
    slider->ValueChanged.connect(boost::bind(setter, figure, _2));
    return slider;
}

void ControlPanel::AddSwatches(IMDialog* parent, SwatchRow row, std::int32_t y,
                               std::size_t count, long (girlview::*setter)(Colour),
                               girlview* figure)
{
    for (std::size_t i = 0; i < count; ++i) {
        const auto x = kSwatchLeft + kSwatchStep * static_cast<std::int32_t>(i);
        IMPicture* swatch = parent->CreatePicture(x, y, L"110");
        // The tint is read at the click: the sex switch re-colours the row.
        swatch->Clicked.connect([swatch, setter, figure](const IMMouseEvent&) {
            return (figure->*setter)(swatch->colour);
        });
        m_swatches[row].push_back(swatch);
    }
}

template <class Colours>
void ControlPanel::Recolour(SwatchRow row, const Colours& colours)
{
    for (std::size_t i = 0; i < m_swatches[row].size() && i < colours.size(); ++i) {
        m_swatches[row][i]->colour = colours[i];
        m_swatches[row][i]->SetDirty(true);
    }
}

long ControlPanel::ScrollTo(std::int32_t position)
{
    const std::int32_t range = m_scroll->GetMaximum() - m_scroll->GetMinimum();
    m_content->MoveTo(0, -(m_content->GetHeight() * position) / range);
    return 0;
}

long ControlPanel::SelectGirl(girlview* figure)
{
    m_figureContainer->MoveTo(kGirlPlace);
    m_bag->Enable();
    figure->SetShoeType(kFlatShoes);
    m_heel->Enable();
    figure->SetShoeColour(kWhite);
    Recolour(kShoeRow, kShoePalettes[kGirl]);
    figure->SetTopColour(kWhite);
    Recolour(kTopRow, kTopPalettes[kGirl]);
    figure->SetBottomType(kGirlsTrousers);
    figure->SetBottomColour(kWhite);
    Recolour(kBottomRow, kBottomPalettes[kGirl]);
    figure->SetHairType(kLooseHair);
    m_skirt->Enable();
    m_tie->SetChecked(false);
    m_tie->Disable();
    figure->SetTieColour(kWhite);
    Recolour(kTieRow, kTiePalettes[kGirl]);
    m_hair->SetChecked(true);
    m_hair->Disable();
    figure->SetHairColour(kWhite);
    Recolour(kHairRow, kHairPalette);
    m_braids->Enable();
    figure->SetSex(kGirl);
    return 0;
}

long ControlPanel::SelectBoy(girlview* figure)
{
    m_figureContainer->MoveTo(kBoyPlace);
    m_bag->SetChecked(false);
    m_bag->Disable();
    m_heel->SetChecked(false);
    m_heel->Disable();
    figure->SetShoeType(kBoysShoes);
    figure->SetShoeColour(kWhite);
    Recolour(kShoeRow, kShoePalettes[kBoy]);
    figure->SetTopColour(kWhite);
    Recolour(kTopRow, kTopPalettes[kBoy]);
    m_trousers->SetChecked(true);
    figure->SetBottomType(kBoysTrousers);
    figure->SetBottomColour(kWhite);
    Recolour(kBottomRow, kBottomPalettes[kBoy]);
    m_skirt->Disable();
    m_tie->Enable();
    figure->SetTieColour(kWhite);
    Recolour(kTieRow, kTiePalettes[kBoy]);
    m_hair->Enable();
    m_braids->SetChecked(false);
    figure->SetHairType(kBoysHair);
    figure->SetHairColour(kWhite);
    Recolour(kHairRow, kHairPalette);
    m_braids->Disable();
    figure->SetSex(kBoy);
    return 0;
}

}  // namespace pestrol
