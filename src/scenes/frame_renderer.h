// Draws one frame of the demo as the sync tracks direct it, at the frame's time (read
// once from the clock by the caller: the music while playing, a fixed clock in tests and
// offline capture). The tracks are evaluated once, at the frame's row.
//
// "scene.num" picks the scene by exact value: 1 and 3 show a frame of the texture
// sequence "anim.num" (1 to 13), 2 the 3D scene; any other value draws nothing at all.
// Over a drawn scene goes the overlay line "text.line". The caller shows the frame.
#pragma once

#include <array>

#include "core/data_paths.h"

#include "scenes/camera_shake.h"
#include "scenes/demo_tracks.h"
#include "scenes/scene_3d.h"
#include "timeline/frame_time.h"

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
  const ShaderLibrary* shaders = nullptr;
};

class FrameRenderer {
 public:
  FrameRenderer(const FrameSources& sources, const DemoTracks& tracks);

  // Draws the frame at `time` into the current framebuffer.
  void renderFrame(const FrameTime& time);

  // The track values and camera of the last frame.
  const TrackValues& lastTracks() const { return lastTracks_; }
  const Vec3& cameraPosition() const { return scene3d_.cameraPosition(); }

 private:
  // False when the tracks pick no scene and nothing was drawn.
  bool drawScene(const TrackValues& tracks, Vec2 shake);
  void drawPictureScene(const TrackValues& tracks);

  FrameSources sources_;
  const DemoTracks& tracks_;
  Scene3D scene3d_;
  TrackValues lastTracks_;
};

}  // namespace quintaval
