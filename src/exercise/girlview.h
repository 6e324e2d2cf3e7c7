#pragma once

#include "exercise/Appearance.h"
#include "exercise/AttributeTimer.h"
#include "gui/IMStaticPictureBase.h"

#include <boost/signals2/signal.hpp>

#include <cstdint>

namespace pestrol {

// The drawn child: twelve full-size picture layers in one container, swapped, shown,
// hidden, tinted and scaled together after every change of the appearance it holds.
// Every layer image is drawn on its sex's body canvas, so all share one origin and size.
// The layers belong to the container; the figure only steers them.
class girlview {
public:
    // Adds the layers to `container`, all visible until the first Refresh.
    explicit girlview(IMDialog* container);
    girlview(const girlview&) = delete;
    girlview& operator=(const girlview&) = delete;

    // Each stores its value and redraws; the colour operations re-tint their layers.
    long SetSex(int v);
    long SetSleeveLength(int v);
    long SetBottomLength(int v);
    long SetBottomType(int v);
    long SetShoeType(int v);
    long SetTie(bool v);
    long SetHairPresent(bool v);
    long SetGlasses(bool v);
    long SetHeadwear(bool v);
    long SetBag(bool v);
    long SetHairLength(int v);
    long SetHairType(int v);
    long SetShoeColour(Colour v);
    long SetBottomColour(Colour v);
    long SetTopColour(Colour v);
    long SetTieColour(Colour v);
    long SetHairColour(Colour v);

    // Brings every layer in line with the appearance, then tells `Changed`.
    long Refresh();

    const Appearance& GetAppearance() const { return m_appearance; }

    // The layers, for whoever looks at what is drawn.
    IMPicture* Body() const { return m_body; }
    IMPicture* Hand() const { return m_hand; }
    IMPicture* Shoes() const { return m_shoes; }
    IMPicture* Bottom() const { return m_bottom; }
    IMPicture* Top() const { return m_top; }
    IMPicture* TieLayer() const { return m_tie; }
    IMPicture* HairFront() const { return m_hairFront; }
    IMPicture* HairBack() const { return m_hairBack; }
    IMPicture* GlassesLayer() const { return m_glasses; }
    IMPicture* HeadwearLayer() const { return m_headwear; }
    IMPicture* BagLayer() const { return m_bag; }
    IMPicture* TrouserPatch() const { return m_patch; }

    boost::signals2::signal<void(const girlview*)> Changed;

    // Written by the owner before the first Refresh. The mark and the timers are the
    // attempt's, given to the pupil's figure only.
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    std::uint32_t* markTime = nullptr;
    AttributeTimers* timers = nullptr;

private:
    long Tint(Colour Appearance::*attribute, Colour colour,
              std::initializer_list<IMPicture*> layers);
    void Fit(IMPicture* layer, bool shown);
    void RefreshHair();

    IMPicture* m_body;
    IMPicture* m_hand;
    IMPicture* m_shoes;
    IMPicture* m_top;
    IMPicture* m_tie;
    IMPicture* m_bottom;
    IMPicture* m_glasses;
    IMPicture* m_hairFront;
    IMPicture* m_hairBack;
    IMPicture* m_headwear;
    IMPicture* m_bag;
    IMPicture* m_patch;
    Appearance m_appearance;
    Size m_size{};
};

}  // namespace pestrol
