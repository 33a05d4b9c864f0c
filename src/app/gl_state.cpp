#include "app/gl_state.h"

#include <GL/glew.h>

namespace quintaval {

Viewport letterboxViewport(int width, int height) {
  const int h = static_cast<int>(width * 0.5625);
  return {0, (height - h) / 2, width, h};
}

void initViewportAndState(const DemoSettings& settings) {
  const Viewport v = letterboxViewport(settings.width, settings.height);
  glViewport(v.x, v.y, v.width, v.height);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);

  GLuint vertexArray = 0;
  glGenVertexArrays(1, &vertexArray);
  glBindVertexArray(vertexArray);

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

bool initGlState(Demo& demo) {
  const DemoSettings& settings = demo.settings;
  initViewportAndState(settings);
  demo.window.present();
  demo.postProcessor =
      std::make_unique<PostProcessor>(demo.shaders, settings.multisampling, settings.width, settings.height);
  return !demo.postProcessor->failed;
}

}  // namespace quintaval
