// The 3D scene: a camera on the path "CamCurve.ma", shaken by the music, looking at the
// point the "camview" tracks give, over the models "Land.obj", "SkySphere.obj" and
// "Zepp.obj" lit by the ambient light and three point lights of the Maya scene. Drawn
// into the current framebuffer; the caller adds the overlay and presents.
#pragma once

#include "core/math.h"
#include "scenes/demo_tracks.h"

namespace quintaval {

class MayaScene;
class ModelLibrary;
class PostProcessor;
class ShaderLibrary;
class ShaderProgram;

class Scene3D {
 public:
  // 4:3 projection inside the 16:9 viewport: the picture is stretched horizontally.
  static constexpr float kAspect = 1.3333334f;
  static constexpr float kNear = 0.1f;
  static constexpr float kFar = 100.0f;

  // None of the objects is owned. The models are drawn with the library's "Model"
  // program; without one the scene is only cleared.
  Scene3D(const MayaScene& maya, const ModelLibrary& models, const PostProcessor& postProcessor,
          const ShaderLibrary& shaders);

  void draw(const TrackValues& tracks, Vec2 shake);

  // Where the camera stood in the last drawn frame.
  const Vec3& cameraPosition() const { return cameraPosition_; }

 private:
  void setUniforms(const TrackValues& tracks, const Mat4& projection, const Mat4& view, const Mat4& model) const;

  const MayaScene& maya_;
  const ModelLibrary& models_;
  const PostProcessor& postProcessor_;
  const ShaderProgram* modelShader_;
  Vec3 cameraPosition_;
};

}  // namespace quintaval
