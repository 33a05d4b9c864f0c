// Where the author overlay's panels first stand and the colour of "now", shared by the
// overlay's own panels and the sync views drawn beside them. ImGui pixels.
#pragma once

#include <imgui.h>

namespace quintaval {

constexpr float kOverlayMargin = 8.0f;
constexpr float kTimelineHeight = 40.0f;  // along the bottom of the window
constexpr float kSidePanelWidth = 400.0f;  // the Tracks panel on the left, Now and Log on the right
constexpr ImU32 kPlayheadColour = IM_COL32(255, 90, 60, 255);

}  // namespace quintaval
