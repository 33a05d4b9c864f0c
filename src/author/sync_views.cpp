#include "author/sync_views.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "author/overlay_layout.h"
#include "author/sync_panel.h"
#include "timeline/clock.h"

namespace quintaval {
namespace {

constexpr ImU32 kCursorRowColour = IM_COL32(90, 70, 40, 200);
constexpr ImU32 kCursorColour = IM_COL32(200, 140, 40, 255);
constexpr ImU32 kCursorIdleColour = IM_COL32(120, 100, 70, 255);
constexpr ImU32 kSelectionColour = IM_COL32(60, 100, 190, 160);
constexpr ImU32 kBarColour = IM_COL32(70, 70, 95, 200);
constexpr ImU32 kBeatColour = IM_COL32(50, 50, 62, 200);
constexpr ImU32 kCurveColour = IM_COL32(200, 200, 210, 255);
constexpr ImU32 kKeyColour = IM_COL32(255, 210, 90, 255);
constexpr ImU32 kPlotBackground = IM_COL32(25, 25, 32, 255);

constexpr float kCurveHeight = 26.0f;
constexpr float kKeyPickPixels = 6.0f;

const char* interpolationSign(int type) {
  switch (type) {
    case kSyncStep: return "-";
    case kSyncLinear: return "/";
    case kSyncSmooth: return "~";
    case kSyncRamp: return "^";
    default: return "?";
  }
}

ImVec4 interpolationColour(int type) {
  switch (type) {
    case kSyncStep: return ImVec4(0.85f, 0.85f, 0.9f, 1.0f);
    case kSyncLinear: return ImVec4(0.4f, 0.85f, 0.45f, 1.0f);
    case kSyncSmooth: return ImVec4(0.4f, 0.7f, 1.0f, 1.0f);
    case kSyncRamp: return ImVec4(1.0f, 0.6f, 0.3f, 1.0f);
    default: return ImVec4(1.0f, 0.35f, 0.3f, 1.0f);
  }
}

bool inBlock(const std::optional<KeyBlock>& block, int track, int row) {
  return block && track >= block->firstTrack && track <= block->lastTrack && row >= block->firstRow &&
         row <= block->lastRow;
}

void drawCell(const SyncGrid& grid, const SyncCell& cell, int track, int row) {
  const bool cursor = track == grid.cursorTrack && row == grid.cursorRow;
  if (cursor) {
    ImGui::TableSetBgColor(ImGuiTableBgTarget_CellBg, grid.hasKeys ? kCursorColour : kCursorIdleColour);
    // The cursor's column stays in view while the grid has the keys.
    if (grid.hasKeys) ImGui::SetScrollHereX(0.5f);
  } else if (inBlock(grid.selection, track, row)) {
    ImGui::TableSetBgColor(ImGuiTableBgTarget_CellBg, kSelectionColour);
  }
  if (cursor && !grid.typing.empty()) {
    ImGui::Text("%s_", grid.typing.c_str());
  } else if (cell.key) {
    ImGui::Text("%.4g", cell.value);
    ImGui::SameLine();
    ImGui::TextColored(interpolationColour(cell.type), "%s", interpolationSign(cell.type));
  } else {
    ImGui::TextDisabled("%.4g", cell.value);
  }
}

}  // namespace

void drawSyncGrid(const SyncGrid& grid, SyncPanel& panel) {
  // First between the tracks on the left and the panels on the right.
  const ImVec2 display = ImGui::GetIO().DisplaySize;
  ImGui::SetNextWindowPos(ImVec2(kSidePanelWidth + 2.0f * kOverlayMargin, kOverlayMargin), ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowSize(ImVec2(std::max(display.x - 2.0f * (kSidePanelWidth + 2.0f * kOverlayMargin), 300.0f),
                                  std::max(display.y - kTimelineHeight - 2.0f * kOverlayMargin, 200.0f)),
                           ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowBgAlpha(0.8f);
  ImGui::Begin(grid.unsaved ? "Sync *###sync" : "Sync###sync");
  ImGui::TextUnformatted(grid.hasKeys ? "keys: grid (F2, Escape: transport)" : "keys: transport (F2: grid)");
  ImGui::SameLine();
  ImGui::TextDisabled("  - step  / linear  ~ smooth  ^ ramp");
  const int columns = static_cast<int>(grid.columns.size());
  const ImGuiTableFlags flags = ImGuiTableFlags_ScrollX | ImGuiTableFlags_ScrollY | ImGuiTableFlags_BordersInnerV |
                                ImGuiTableFlags_SizingFixedFit;
  if (columns > 0 && ImGui::BeginTable("grid", columns + 1, flags)) {
    ImGui::TableSetupScrollFreeze(1, 1);
    ImGui::TableSetupColumn("row", ImGuiTableColumnFlags_WidthFixed, 40.0f);
    for (const SyncColumn& column : grid.columns) {
      const std::string label = column.name + (column.unsaved ? " *" : "") + (column.editable ? "" : " (locked)");
      ImGui::TableSetupColumn(label.c_str(), ImGuiTableColumnFlags_WidthFixed, 84.0f);
    }
    ImGui::TableHeadersRow();
    for (std::size_t i = 0; i < grid.marks.size(); ++i) {
      const int row = grid.firstRow + static_cast<int>(i);
      ImGui::TableNextRow();
      const RowMark mark = grid.marks[i];
      if (row == grid.cursorRow) {
        ImGui::TableSetBgColor(ImGuiTableBgTarget_RowBg0, kCursorRowColour);
        ImGui::SetScrollHereY(0.5f);  // the cursor's row stays in the middle, however tall the window
      } else if (mark != RowMark::kNone) {
        ImGui::TableSetBgColor(ImGuiTableBgTarget_RowBg0, mark == RowMark::kBar ? kBarColour : kBeatColour);
      }
      ImGui::TableNextColumn();
      if (row < 0) continue;  // before the music
      if (mark == RowMark::kNone) {
        ImGui::TextDisabled("%d", row);
      } else {
        ImGui::Text("%d", row);
      }
      for (int t = 0; t < columns; ++t) {
        ImGui::TableNextColumn();
        drawCell(grid, grid.columns[static_cast<std::size_t>(t)].cells[i], t, row);
      }
    }
    ImGui::EndTable();
  }
  if (grid.hasKeys && ImGui::IsMouseClicked(ImGuiMouseButton_Left) &&
      !ImGui::IsWindowHovered(ImGuiHoveredFlags_RootAndChildWindows)) {
    panel.releaseKeys();
  }
  ImGui::End();
}

void drawTrackCurve(const OverlaySnapshot& snapshot, int index, SyncPanel& panel, CurveDrag& drag) {
  const TrackPlot& plot = snapshot.tracks[static_cast<std::size_t>(index)];
  TrackEditor& editor = panel.editor();
  const double fromRow = snapshot.plotFrom * kRowsPerSecond, toRow = snapshot.plotTo * kRowsPerSecond;
  if (!(toRow > fromRow)) return;
  const ImVec2 size(std::max(ImGui::GetContentRegionAvail().x, 4.0f), kCurveHeight);
  ImGui::InvisibleButton("##curve", size, ImGuiButtonFlags_MouseButtonLeft | ImGuiButtonFlags_MouseButtonRight);
  const bool hovered = ImGui::IsItemHovered();
  const ImVec2 min = ImGui::GetItemRectMin(), max = ImGui::GetItemRectMax();

  // The value range of what is shown, kept while a drag of this track lasts.
  const bool draggingHere = drag.track == index && editor.dragging();
  float low = drag.low, high = drag.high;
  if (!draggingHere) {
    low = INFINITY, high = -INFINITY;
    auto include = [&](float value) {
      if (std::isfinite(value)) low = std::min(low, value), high = std::max(high, value);
    };
    for (float value : plot.samples) include(value);
    for (const SyncKey& key : plot.keys) include(key.value);
    if (!(high > low)) {  // flat, or nothing finite to show
      const float middle = std::isfinite(low) ? low : 0.0f;
      low = middle - 1.0f, high = middle + 1.0f;
    }
    const float pad = (high - low) * 0.1f;
    low -= pad, high += pad;
  }
  const float width = max.x - min.x, height = max.y - min.y;
  auto xOf = [&](double row) { return min.x + static_cast<float>((row - fromRow) / (toRow - fromRow)) * width; };
  auto yOf = [&](float value) { return max.y - (value - low) / (high - low) * height; };
  const ImVec2 mouse = ImGui::GetIO().MousePos;
  int rowUnder = static_cast<int>(std::lround(fromRow + (mouse.x - min.x) / width * (toRow - fromRow)));
  // A drag with Shift lands on the nearest beat's row, with Ctrl on the nearest onset's.
  const ImGuiIO& io = ImGui::GetIO();
  if (snapshot.beats && io.KeyShift) rowUnder = snapToNearest(snapshot.beats->beats, rowUnder);
  if (snapshot.beats && io.KeyCtrl && !io.KeyShift) rowUnder = snapToNearest(snapshot.beats->onsetTimes, rowUnder);
  const float valueUnder = low + (max.y - mouse.y) / height * (high - low);

  const SyncKey* picked = nullptr;
  if (hovered) {
    float nearest = kKeyPickPixels;
    for (const SyncKey& key : plot.keys) {
      const float distance = std::fabs(xOf(key.row) - mouse.x);
      if (distance <= nearest) nearest = distance, picked = &key;
    }
  }
  if (picked && ImGui::IsItemClicked(ImGuiMouseButton_Left) && editor.beginDrag(index, picked->row)) {
    drag = {index, low, high};
  } else if (picked && ImGui::IsItemClicked(ImGuiMouseButton_Right)) {
    editor.removeKey(index, picked->row);
  } else if (!picked && hovered && ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left)) {
    editor.addKeyOnCurve(index, rowUnder);
  }
  if (drag.track == index && editor.dragging()) {
    if (ImGui::IsMouseDown(ImGuiMouseButton_Left)) {
      editor.dragTo(rowUnder, valueUnder);
    } else {
      editor.endDrag();
      drag.track = -1;
    }
  }

  ImDrawList* draw = ImGui::GetWindowDrawList();
  draw->AddRectFilled(min, max, kPlotBackground);
  draw->PushClipRect(min, max, true);
  const std::size_t points = plot.samples.size();
  for (std::size_t i = 1; i < points; ++i) {
    const float x0 = min.x + width * static_cast<float>(i - 1) / static_cast<float>(points - 1);
    const float x1 = min.x + width * static_cast<float>(i) / static_cast<float>(points - 1);
    draw->AddLine(ImVec2(x0, yOf(plot.samples[i - 1])), ImVec2(x1, yOf(plot.samples[i])), kCurveColour);
  }
  for (const SyncKey& key : plot.keys) {
    draw->AddCircleFilled(ImVec2(xOf(key.row), yOf(key.value)), &key == picked ? 4.5f : 3.0f, kKeyColour);
  }
  const float now = xOf(snapshot.seconds * kRowsPerSecond);
  draw->AddLine(ImVec2(now, min.y), ImVec2(now, max.y), kPlayheadColour);
  draw->PopClipRect();
  if (picked) ImGui::SetTooltip("row %d: %g", picked->row, picked->value);
}

}  // namespace quintaval
