#include "scenes/frame_renderer.h"

#include "assets/texture_library.h"
#include "render/post_processor.h"
#include "text/text_overlay.h"
#include "timeline/clock.h"

namespace quintaval {

FrameRenderer::FrameRenderer(const FrameSources& sources, const DemoTracks& tracks, const Clock& clock)
    : sources_(sources),
      tracks_(tracks),
      clock_(clock),
      scene3d_(*sources.maya, *sources.models, *sources.postProcessor, *sources.modelShader, sources.textOverlay),
      present_([postProcessor = sources.postProcessor] { postProcessor->present(); }) {}

void FrameRenderer::renderFrame(double syncRow, const float* spectrum) {
  const float t = clock_.musicTime();
  const TrackValues tracks = tracks_.evaluate(syncRow);
  // The shake is worked out every frame, whatever the scene.
  const Vec2 shake = cameraShake(tracks, spectrum, t);
  lastTracks_ = tracks;
  lastShake_ = shake;

  const float scene = tracks[kSceneNum];
  if (scene == 1.0f || scene == 3.0f) {
    drawPictureScene(tracks);
  } else if (scene == 2.0f) {
    scene3d_.draw(tracks, shake);
  }
  present_();
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
  post.clearDepth();
  if (sources_.textOverlay) sources_.textOverlay->drawLine(tracks[kTextLine]);
}

}  // namespace quintaval
