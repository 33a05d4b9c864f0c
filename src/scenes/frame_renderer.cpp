#include "scenes/frame_renderer.h"

#include "assets/texture_library.h"
#include "render/post_processor.h"
#include "text/text_overlay.h"

namespace quintaval {

FrameRenderer::FrameRenderer(const FrameSources& sources, const DemoTracks& tracks)
    : sources_(sources),
      tracks_(tracks),
      scene3d_(*sources.maya, *sources.models, *sources.postProcessor, *sources.shaders) {}

void FrameRenderer::renderFrame(const FrameTime& time) {
  const TrackValues tracks = tracks_.evaluate(time.row);
  // The shake is worked out every frame, whatever the scene.
  const Vec2 shake = cameraShake(tracks, time.spectrum.data(), time.musicTime());
  lastTracks_ = tracks;

  if (drawScene(tracks, shake)) {
    sources_.postProcessor->clearDepth();
    if (sources_.textOverlay) sources_.textOverlay->drawLine(tracks[kTextLine]);
  }
}

bool FrameRenderer::drawScene(const TrackValues& tracks, Vec2 shake) {
  const float scene = tracks[kSceneNum];
  if (scene == 1.0f || scene == 3.0f) {
    drawPictureScene(tracks);
    return true;
  }
  if (scene == 2.0f) {
    scene3d_.draw(tracks, shake);
    return true;
  }
  return false;
}

void FrameRenderer::drawPictureScene(const TrackValues& tracks) {
  PostProcessor& post = *sources_.postProcessor;
  post.clear();
  post.setOffset(0.0f, 0.0f);
  const float number = tracks[kAnimNum];
  for (int n = 1; n <= kSequenceCount; ++n) {
    if (number != static_cast<float>(n)) continue;
    if (const TextureSequence* sequence = sources_.sequences[n - 1]) {
      post.drawTexture(sequence->frameAt(tracks[kAnimPos]), tracks[kAnimAlpha]);
    }
    break;
  }
}

}  // namespace quintaval
