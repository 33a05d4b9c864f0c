// Draws one frame of the demo as the sync tracks direct it. The sync row, the spectrum
// and the time come from the Clock it is given (the music while playing; a fixed clock
// in tests and offline capture), and the tracks are evaluated once at that row.
//
// "scene.num" picks the scene by exact value: 1 and 3 show a frame of the texture
// sequence "anim.num" (1 to 13), 2 the 3D scene; any other value draws nothing at all.
// Over a drawn scene goes the overlay line "text.line". Every frame is presented.
#pragma once

#include <array>
#include <functional>

#include "core/data_paths.h"

#include "scenes/camera_shake.h"
#include "scenes/demo_tracks.h"
#include "scenes/scene_3d.h"
#include "timeline/clock.h"

namespace quintaval {

class TextOverlay;
class TextureSequence;

// What a frame is drawn from; none of it is owned. The text overlay may be null.
struct FrameSources {
  PostProcessor* postProcessor = nullptr;
  std::array<const TextureSequence*, kSequenceCount> sequences{};  // "anim.num" 1 to 13
  TextOverlay* textOverlay = nullptr;
  const ModelLibrary* models = nullptr;
  const MayaScene* maya = nullptr;
  const ShaderProgram* modelShader = nullptr;
};

class FrameRenderer {
 public:
  FrameRenderer(const FrameSources& sources, const DemoTracks& tracks, const Clock& clock);

  // Draws and presents one frame at the clock's current row.
  void renderFrame();

  // Replaces the buffer swap (tests count presents; capture reads the frame back first).
  void setPresenter(std::function<void()> present) { present_ = std::move(present); }

  // The track values, shake and camera of the last frame.
  const TrackValues& lastTracks() const { return lastTracks_; }
  const std::array<float, kSpectrumBins>& lastSpectrum() const { return spectrum_; }
  Vec2 lastShake() const { return lastShake_; }
  const Vec3& cameraPosition() const { return scene3d_.cameraPosition(); }

 private:
  // False when the tracks pick no scene and nothing was drawn.
  bool drawScene(const TrackValues& tracks, Vec2 shake);
  void drawPictureScene(const TrackValues& tracks);

  FrameSources sources_;
  const DemoTracks& tracks_;
  const Clock& clock_;
  Scene3D scene3d_;
  std::function<void()> present_;
  std::array<float, kSpectrumBins> spectrum_{};
  TrackValues lastTracks_;
  Vec2 lastShake_;
};

}  // namespace quintaval
