#include "scenes/scene_3d.h"

#include <cmath>

#include "geometry/maya_scene.h"
#include "render/model_library.h"
#include "render/post_processor.h"
#include "render/shader_library.h"

namespace quintaval {

Scene3D::Scene3D(const MayaScene& maya, const ModelLibrary& models, const PostProcessor& postProcessor,
                 const ShaderLibrary& shaders)
    : maya_(maya), models_(models), postProcessor_(postProcessor), modelShader_(shaders.find("Model")) {}

void Scene3D::draw(const TrackValues& tracks, Vec2 shake) {
  cameraPosition_ = maya_.pathPoint("CamCurve.ma", tracks[kCampathPos]) + Vec3{shake.x, shake.y, 0.0f};
  postProcessor_.clear();

  const Mat4 projection = perspective(tracks[kFov] * kDegreesToRadians, kAspect, kNear, kFar);
  // Roll is measured from the x axis: 90 degrees is the upright camera.
  const float roll = tracks[kCamRoll] * kDegreesToRadians;
  const Vec3 up{std::cos(roll), std::sin(roll), 0.0f};
  const Vec3 target{tracks[kCamviewX], tracks[kCamviewY], tracks[kCamviewZ]};
  const Mat4 view = lookAt(cameraPosition_, target, up);
  const Mat4 model = scale(translate(Mat4(1.0f), {0.0f, 0.0f, 0.0f}), {1.0f, 1.0f, 1.0f});

  if (!modelShader_) return;
  modelShader_->use();
  setUniforms(tracks, projection, view, model);
  models_.drawByName("Land.obj");
  models_.drawByName("SkySphere.obj");
  models_.drawByName("Zepp.obj");
}

void Scene3D::setUniforms(const TrackValues& tracks, const Mat4& projection, const Mat4& view,
                          const Mat4& model) const {
  const ShaderProgram& s = *modelShader_;
  s.setUniform1i("diffuseMap", 3);
  s.setUniformMatrix4fv("MVP", projection * view * model);
  s.setUniformMatrix4fv("M", model);
  s.setUniformMatrix4fv("V", view);

  const Vec3 ambient = maya_.ambientLightColor("AmbientLight.ma");
  s.setUniform4f("Ambient", ambient.x, ambient.y, ambient.z, 1.0f);

  static const char* const kLights[3] = {"Light1.ma", "Light2.ma", "Light3.ma"};
  static const char* const kColors[3] = {"LightColor1", "LightColor2", "LightColor3"};
  static const char* const kIntensities[3] = {"LightIntensity1", "LightIntensity2", "LightIntensity3"};
  static const char* const kPositions[3] = {"fvLightPosition1", "fvLightPosition2", "fvLightPosition3"};
  for (int i = 0; i < 3; ++i) {
    const Vec3 color = maya_.pointLightColor(kLights[i]);
    s.setUniform4f(kColors[i], color.x, color.y, color.z, 1.0f);
    s.setUniform1f(kIntensities[i], maya_.pointLightIntensity(kLights[i]));
  }
  for (int i = 0; i < 3; ++i) {
    const Vec3 position = maya_.pointLightPosition(kLights[i]);
    s.setUniform3f(kPositions[i], position.x, position.y, position.z);
  }
  // The eye position the lighting sees is the look-at point, not the camera.
  s.setUniform3f("fvEyePosition", tracks[kCamviewX], tracks[kCamviewY], tracks[kCamviewZ]);
}

}  // namespace quintaval
