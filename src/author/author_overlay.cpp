// The author overlay (see author_overlay.h), in four parts:
// [SECTION] Times: the play time as text, the timeline's scale
// [SECTION] Arrow glyphs for the default font
// [SECTION] Set-up, frame
// [SECTION] Panels: timeline, now, tracks, log
//
// Pixel positions are ImGui's: window coordinates, y down. The panels take their first
// place from the window size; the author may move them afterwards (nothing is saved).
#include "author/author_overlay.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <imgui.h>
#include <backends/imgui_impl_glfw.h>
#include <backends/imgui_impl_opengl3.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>

#include "author/overlay_layout.h"
#include "author/transport.h"

namespace quintaval {

// ---------------------------------------------------------------- [SECTION] Times

std::string formatPlayTime(double seconds) {
  const long long ms = seconds > 0.0 ? std::llround(seconds * 1000.0) : 0;
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld.%03lld", ms / 60000, ms / 1000 % 60, ms % 1000);
  return text;
}

double timelineSeconds(float x, float left, float width, double length) {
  if (width <= 0.0f) return 0.0;
  return std::clamp(static_cast<double>((x - left) / width), 0.0, 1.0) * length;
}

namespace {

// Shown while the overlay is hidden, for the first seconds of a session.
const char* const kOverlayHint =
    "Tab: author overlay  Space: pause  \xe2\x86\x90/\xe2\x86\x92: seek 1 s (Shift: 10 s)  Home: start  "
    "[ ]: loop  Backspace: no loop  F2: sync grid";

// ---------------------------------------------------------------- [SECTION] Arrow glyphs

// ImGui's built-in font stops at U+00FF; the hint's arrows (U+2190, U+2192) are drawn
// here into the font atlas, 7 pixels wide like the font's other glyphs.
constexpr int kArrowWidth = 7;
constexpr const char* kLeftArrow[] = {"..#....", ".##....", "#######", ".##....", "..#...."};
constexpr int kArrowRows = sizeof kLeftArrow / sizeof kLeftArrow[0];
constexpr float kArrowTop = 4.0f;  // from the top of the line, centred on lower case

void addArrowGlyphs(ImFontAtlas& atlas) {
  ImFont* font = atlas.AddFontDefault();
  const int left = atlas.AddCustomRectFontGlyph(font, 0x2190, kArrowWidth, kArrowRows, kArrowWidth,
                                                ImVec2(0.0f, kArrowTop));
  const int right = atlas.AddCustomRectFontGlyph(font, 0x2192, kArrowWidth, kArrowRows, kArrowWidth,
                                                 ImVec2(0.0f, kArrowTop));
  atlas.Build();
  unsigned char* pixels = nullptr;
  int width = 0, height = 0;
  atlas.GetTexDataAsRGBA32(&pixels, &width, &height);
  auto* texels = reinterpret_cast<ImU32*>(pixels);
  for (const int id : {left, right}) {
    const ImFontAtlasCustomRect* rect = atlas.GetCustomRectByIndex(id);
    for (int y = 0; y < kArrowRows; ++y) {
      for (int x = 0; x < kArrowWidth; ++x) {
        const int column = id == left ? x : kArrowWidth - 1 - x;  // the right arrow is the mirror
        const bool set = kLeftArrow[y][column] == '#';
        texels[(rect->Y + y) * width + rect->X + x] = set ? IM_COL32_WHITE : IM_COL32(255, 255, 255, 0);
      }
    }
  }
}

constexpr ImU32 kLoopColour = IM_COL32(70, 130, 230, 110);
constexpr ImU32 kLoopEdgeColour = IM_COL32(120, 180, 255, 255);
constexpr ImU32 kTickColour = IM_COL32(170, 170, 180, 255);
constexpr ImU32 kBeatTickColour = IM_COL32(120, 200, 120, 150);
constexpr ImU32 kBarTickColour = IM_COL32(140, 240, 140, 255);
constexpr ImU32 kOnsetColour = IM_COL32(250, 170, 60, 170);
const ImVec4 kAlertColour(1.0f, 0.35f, 0.3f, 1.0f);

constexpr float kNowPanelHeight = 290.0f;

// A plot as wide as the space left on its line (ImGui's plots take no negative widths).
ImVec2 plotSize(float height) { return ImVec2(std::max(ImGui::GetContentRegionAvail().x, 4.0f), height); }

// The inner x of `fraction` of the last item's frame (a plot), inside its padding.
float itemInnerX(float fraction) {
  const float pad = ImGui::GetStyle().FramePadding.x;
  const float left = ImGui::GetItemRectMin().x + pad;
  return left + fraction * (ImGui::GetItemRectMax().x - pad - left);
}

// A vertical line over the last item (a plot) at `fraction` of its width.
void markItem(float fraction, ImU32 colour, const char* label = nullptr) {
  if (fraction < 0.0f || fraction > 1.0f) return;
  const float x = itemInnerX(fraction);
  const ImVec2 min = ImGui::GetItemRectMin(), max = ImGui::GetItemRectMax();
  ImDrawList* draw = ImGui::GetWindowDrawList();
  draw->AddLine(ImVec2(x, min.y), ImVec2(x, max.y), colour);
  if (label) draw->AddText(ImVec2(x + 2.0f, min.y), colour, label);
}

}  // namespace

// ---------------------------------------------------------------- [SECTION] Set-up, frame

AuthorOverlay::AuthorOverlay(GLFWwindow* window) : created_(std::chrono::steady_clock::now()) {
  IMGUI_CHECKVERSION();
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;  // no imgui.ini in the author's folder
  io.LogFilename = nullptr;
  // The desktops' usual double-click time; ImGui's 0.3 s is short for a demo that draws
  // only a few frames a second while it loads the machine.
  io.MouseDoubleClickTime = 0.5f;
  ImGui::StyleColorsDark();
  addArrowGlyphs(*io.Fonts);
  ImGui_ImplGlfw_InitForOpenGL(window, true);  // calls the callbacks installed before
  ImGui_ImplOpenGL3_Init("#version 330 core");
}

AuthorOverlay::~AuthorOverlay() {
  ImGui_ImplOpenGL3_Shutdown();
  ImGui_ImplGlfw_Shutdown();  // puts the window's own callbacks back
  ImGui::DestroyContext();
}

void AuthorOverlay::draw(const OverlaySnapshot& snapshot, Transport& transport, SyncPanel& panel) {
  // A frame runs even when nothing is shown, so ImGui's input state follows the window.
  ImGui_ImplOpenGL3_NewFrame();
  ImGui_ImplGlfw_NewFrame();
  ImGui::NewFrame();
  if (visible_) {
    drawTimeline(snapshot, transport);
    drawTracks(snapshot, panel);
    drawNow(snapshot);
    drawLog(snapshot);
    if (syncShown_) drawSyncGrid(snapshot.sync, panel);
  } else if (std::chrono::duration<double>(std::chrono::steady_clock::now() - created_).count() <
             kHintSeconds) {
    drawHint();
  }
  ImGui::Render();
  ImDrawData* data = ImGui::GetDrawData();
  if (data->CmdListsCount == 0) return;

  // The back end saves and restores the state it changes (program, textures, buffers,
  // vertex array, viewport, scissor, blending, depth and cull tests) but not the
  // framebuffer it draws into.
  GLint framebuffer = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  ImGui_ImplOpenGL3_RenderDrawData(data);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(framebuffer));
}

// ---------------------------------------------------------------- [SECTION] Panels

void AuthorOverlay::drawHint() {
  const ImVec2 display = ImGui::GetIO().DisplaySize;
  ImGui::SetNextWindowPos(ImVec2(kOverlayMargin, display.y - kOverlayMargin), ImGuiCond_Always, ImVec2(0.0f, 1.0f));
  ImGui::SetNextWindowBgAlpha(0.6f);
  ImGui::Begin("##hint", nullptr,
               ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoInputs | ImGuiWindowFlags_AlwaysAutoResize |
                   ImGuiWindowFlags_NoFocusOnAppearing | ImGuiWindowFlags_NoNav);
  ImGui::TextUnformatted(kOverlayHint);
  ImGui::End();
}

void AuthorOverlay::drawTimeline(const OverlaySnapshot& snapshot, Transport& transport) {
  const ImGuiIO& io = ImGui::GetIO();
  ImGui::SetNextWindowPos(ImVec2(0.0f, io.DisplaySize.y - kTimelineHeight));
  ImGui::SetNextWindowSize(ImVec2(io.DisplaySize.x, kTimelineHeight));
  ImGui::SetNextWindowBgAlpha(0.75f);
  ImGui::Begin("##timeline", nullptr,
               ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoScrollWithMouse |
                   ImGuiWindowFlags_NoNav);
  const ImVec2 origin = ImGui::GetCursorScreenPos();
  const ImVec2 size = ImGui::GetContentRegionAvail();
  const double length = snapshot.demoSeconds;
  ImGui::InvisibleButton("bar", ImVec2(std::max(size.x, 1.0f), std::max(size.y, 1.0f)));
  const double pointed = timelineSeconds(io.MousePos.x, origin.x, size.x, length);
  // Dragging seeks whenever the pointer moves; holding it still lets the demo play on.
  if (ImGui::IsItemActive()) {
    if (pointed != lastSeek_) transport.seekTo(pointed);
    lastSeek_ = pointed;
  } else {
    lastSeek_ = -1.0;
  }
  if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", formatPlayTime(pointed).c_str());

  ImDrawList* draw = ImGui::GetWindowDrawList();
  const float top = origin.y, bottom = origin.y + size.y;
  auto xAt = [&](double seconds) {
    return origin.x + static_cast<float>(std::clamp(seconds / length, 0.0, 1.0)) * size.x;
  };
  draw->AddRectFilled(origin, ImVec2(origin.x + size.x, bottom), IM_COL32(30, 30, 38, 255));
  const LoopRegion& loop = snapshot.loop;
  if (loop.active()) draw->AddRectFilled(ImVec2(xAt(*loop.start), top), ImVec2(xAt(*loop.end), bottom), kLoopColour);
  for (const auto& edge : {loop.start, loop.end}) {
    if (edge) draw->AddLine(ImVec2(xAt(*edge), top), ImVec2(xAt(*edge), bottom), kLoopEdgeColour, 2.0f);
  }
  for (int second = 0; second <= static_cast<int>(length); ++second) {
    const bool labelled = second % 10 == 0;
    const float x = xAt(second);
    draw->AddLine(ImVec2(x, bottom - (labelled ? 12.0f : 5.0f)), ImVec2(x, bottom), kTickColour);
    if (labelled) {
      char label[16];
      std::snprintf(label, sizeof label, "%d:%02d", second / 60, second % 60);
      draw->AddText(ImVec2(x + 3.0f, top + 1.0f), kTickColour, label);
    }
  }
  // The music's beats from the top (bars longer) and its onsets across the middle, as
  // tall as they are strong.
  static const BeatMarks kNoRhythm;
  const BeatMarks& rhythm = snapshot.beats ? *snapshot.beats : kNoRhythm;
  for (std::size_t i = 0; i < rhythm.beats.size(); ++i) {
    const float bx = xAt(rhythm.beats[i]);
    draw->AddLine(ImVec2(bx, top), ImVec2(bx, top + (i % 4 == 0 ? 8.0f : 3.0f)), i % 4 == 0 ? kBarTickColour : kBeatTickColour);
  }
  const float middle = (top + bottom) * 0.5f;
  for (const Onset& onset : rhythm.onsets) {
    const float ox = xAt(onset.seconds), reach = 1.0f + 5.0f * onset.strength;
    draw->AddLine(ImVec2(ox, middle - reach), ImVec2(ox, middle + reach), kOnsetColour);
  }
  const float x = xAt(snapshot.seconds);
  draw->AddLine(ImVec2(x, top), ImVec2(x, bottom), kPlayheadColour, 2.0f);
  draw->AddTriangleFilled(ImVec2(x - 5.0f, top), ImVec2(x + 5.0f, top), ImVec2(x, top + 7.0f), kPlayheadColour);
  ImGui::End();
}

void AuthorOverlay::drawNow(const OverlaySnapshot& snapshot) {
  const ImVec2 display = ImGui::GetIO().DisplaySize;
  ImGui::SetNextWindowPos(ImVec2(display.x - kSidePanelWidth - kOverlayMargin, kOverlayMargin), ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowSize(ImVec2(kSidePanelWidth, kNowPanelHeight), ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowBgAlpha(0.75f);
  ImGui::Begin("Now");
  ImGui::Text("%s   row %.2f   scene %d", formatPlayTime(snapshot.seconds).c_str(), snapshot.row, snapshot.scene);
  if (snapshot.paused) {
    ImGui::SameLine();
    ImGui::TextColored(kAlertColour, "  PAUSED");
  }
  const LoopRegion& loop = snapshot.loop;
  ImGui::Text("loop %s to %s", loop.start ? formatPlayTime(*loop.start).c_str() : "-",
              loop.end ? formatPlayTime(*loop.end).c_str() : "-");

  const std::vector<float>& frames = snapshot.frameMilliseconds;
  const float last = frames.empty() ? 0.0f : frames.back();
  const float highest = frames.empty() ? 0.0f : *std::max_element(frames.begin(), frames.end());
  ImGui::Text("frame %.2f ms", last);
  ImGui::PlotLines("##frames", frames.data(), static_cast<int>(frames.size()), 0, nullptr, 0.0f,
                   std::max(highest, 33.4f), plotSize(40.0f));

  ImGui::Text("spectrum   shake bins x %d, y %d", snapshot.shakeBins[0], snapshot.shakeBins[1]);
  ImGui::PlotHistogram("##spectrum", snapshot.spectrum.data(), kSpectrumBins, 0, nullptr, 0.0f, FLT_MAX,
                       plotSize(120.0f));
  const char* axis[] = {"x", "y"};
  for (int i = 0; i < 2; ++i) {
    markItem((snapshot.shakeBins[i] + 0.5f) / kSpectrumBins, kPlayheadColour, axis[i]);
  }
  ImGui::End();
}

void AuthorOverlay::drawTracks(const OverlaySnapshot& snapshot, SyncPanel& panel) {
  const ImVec2 display = ImGui::GetIO().DisplaySize;
  ImGui::SetNextWindowPos(ImVec2(kOverlayMargin, kOverlayMargin), ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowSize(ImVec2(kSidePanelWidth, display.y - kTimelineHeight - 2.0f * kOverlayMargin),
                           ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowBgAlpha(0.75f);
  ImGui::Begin("Tracks");
  ImGui::Text("plots %s to %s", formatPlayTime(snapshot.plotFrom).c_str(), formatPlayTime(snapshot.plotTo).c_str());
  ImGui::TextDisabled("drag a key; double-click adds one, right-click removes it");
  if (ImGui::BeginTable("tracks", 3, ImGuiTableFlags_SizingFixedFit | ImGuiTableFlags_RowBg)) {
    ImGui::TableSetupColumn("track");
    ImGui::TableSetupColumn("value");
    ImGui::TableSetupColumn("plot", ImGuiTableColumnFlags_WidthStretch);
    for (std::size_t i = 0; i < snapshot.tracks.size(); ++i) {
      const TrackPlot& track = snapshot.tracks[i];
      ImGui::TableNextRow();
      ImGui::TableNextColumn();
      ImGui::TextUnformatted(track.name);
      ImGui::TableNextColumn();
      ImGui::Text("%9.3f", track.value);
      ImGui::TableNextColumn();
      ImGui::PushID(static_cast<int>(i));
      drawTrackCurve(snapshot, static_cast<int>(i), panel, curveDrag_);
      ImGui::PopID();
    }
    ImGui::EndTable();
  }
  ImGui::End();
}

void AuthorOverlay::drawLog(const OverlaySnapshot& snapshot) {
  const ImVec2 display = ImGui::GetIO().DisplaySize;
  const float top = kNowPanelHeight + 2.0f * kOverlayMargin;
  ImGui::SetNextWindowPos(ImVec2(display.x - kSidePanelWidth - kOverlayMargin, top), ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowSize(ImVec2(kSidePanelWidth, std::max(display.y - kTimelineHeight - kOverlayMargin - top, 80.0f)),
                           ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowBgAlpha(0.75f);
  ImGui::Begin("Log");
  const bool atEnd = ImGui::GetScrollY() >= ImGui::GetScrollMaxY();
  ImGui::PushTextWrapPos(0.0f);
  for (const AuthorLogEntry& entry : snapshot.log) {
    if (entry.error) ImGui::PushStyleColor(ImGuiCol_Text, kAlertColour);
    char when[32];
    std::snprintf(when, sizeof when, "%6.1f s  ", entry.seconds);
    ImGui::TextUnformatted((when + entry.text).c_str());  // no length limit, unlike Text()
    if (entry.error) ImGui::PopStyleColor();
  }
  ImGui::PopTextWrapPos();
  // Follows the newest entry unless the author scrolled back.
  if (atEnd) ImGui::SetScrollHereY(1.0f);
  ImGui::End();
}

}  // namespace quintaval
