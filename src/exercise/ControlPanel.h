#pragma once

#include "gui/IMDialogBase.h"
#include "gui/IMStaticPictureBase.h"

#include <array>
#include <string_view>
#include <vector>

namespace pestrol {

class girlview;
class IMCheckBox;
class IMGroupBox;
class IMRadioButton;
class IMScroll;
class IMSlider;

// The left 300 pixels of the exercise screen: the pupil's only way to change the figure.
// Every control calls an attribute operation of the pupil's figure directly; the one piece
// of logic is the switch of sex, which forces the attributes and the controls into what
// the new sex allows. Its 975 pixels of content scroll under a 600-pixel window.
class ControlPanel : public IMDialog {
public:
    static constexpr std::int32_t kWidth = 300;
    static constexpr std::int32_t kContentHeight = 975;
    static constexpr Point kGirlPlace{550, 150};
    static constexpr Point kBoyPlace{568, 148};

    // The colour rows, in the order of their swatch lists.
    enum SwatchRow { kHairRow, kTopRow, kTieRow, kBottomRow, kShoeRow, kRowCount };

    // The panel at the left of `screen` with its content and the content's background.
    explicit ControlPanel(IMDialog* screen);

    // Every control wired to `figure`, whose container the sex switch moves. The last act
    // checks the girl's radio button, which runs SelectGirl.
    void Build(girlview* figure, IMDialog* figureContainer);

    long SelectGirl(girlview* figure);
    long SelectBoy(girlview* figure);

    IMDialog* Content() const { return m_content; }
    IMScroll* ScrollBar() const { return m_scroll; }
    IMRadioButton* GirlButton() const { return m_girl; }
    IMRadioButton* BoyButton() const { return m_boy; }
    IMCheckBox* BagCheckBox() const { return m_bag; }
    IMCheckBox* HairCheckBox() const { return m_hair; }
    IMCheckBox* HeelCheckBox() const { return m_heel; }
    IMCheckBox* TieCheckBox() const { return m_tie; }
    IMCheckBox* BraidsCheckBox() const { return m_braids; }
    IMRadioButton* TrousersButton() const { return m_trousers; }
    IMRadioButton* SkirtButton() const { return m_skirt; }
    IMSlider* HairLengthSlider() const { return m_hairLength; }
    const std::vector<IMPicture*>& Swatches(SwatchRow row) const { return m_swatches[row]; }

private:
    using Handler = IMSignal<IMEvent>::slot_type;

    void BuildSexGroup(girlview* figure);
    void BuildWornAndCarried(girlview* figure);
    void BuildHairGroup(girlview* figure);
    void BuildTopGroup(girlview* figure);
    void BuildBottomGroup(girlview* figure);
    void BuildShoeGroup(girlview* figure);
    void BuildScrollBar();

    // A group box with its nine-piece frame, the top line broken for a title `gap` wide;
    // the title itself only when given.
    IMGroupBox* AddGroup(std::int32_t y, std::int32_t width, std::int32_t height,
                         std::int32_t gap, std::wstring_view title);
    IMCheckBox* AddCheckBox(IMDialog* parent, std::int32_t x, std::int32_t y,
                            const Handler& checked, const Handler& unchecked);
    IMSlider* AddSlider(IMDialog* parent, std::int32_t x, std::int32_t y,
                        long (girlview::*setter)(int), girlview* figure);
    void AddSwatches(IMDialog* parent, SwatchRow row, std::int32_t y, std::size_t count,
                     long (girlview::*setter)(Colour), girlview* figure);
    // Tints a swatch row with `colours`, in order.
    template <class Colours>
    void Recolour(SwatchRow row, const Colours& colours);
    long ScrollTo(std::int32_t position);

    IMDialog* m_content;
    IMScroll* m_scroll = nullptr;
    IMDialog* m_figureContainer = nullptr;
    IMRadioButton* m_girl = nullptr;
    IMRadioButton* m_boy = nullptr;
    IMCheckBox* m_bag = nullptr;
    IMCheckBox* m_hair = nullptr;
    IMCheckBox* m_heel = nullptr;
    IMCheckBox* m_tie = nullptr;
    IMCheckBox* m_braids = nullptr;
    IMRadioButton* m_trousers = nullptr;
    IMRadioButton* m_skirt = nullptr;
    IMSlider* m_hairLength = nullptr;
    std::array<std::vector<IMPicture*>, kRowCount> m_swatches;
};

}  // namespace pestrol
