// Whether the current GL context can run GLSL programs. Every owner of a shader program
// asks this before building one and refuses with "Vertex and fragment shaders not
// supported!" when it fails. Needs a current context with GLEW initialised.
#pragma once

namespace quintaval {

// True when GLEW reports GL_ARB_vertex_program or GL_ARB_fragment_program, or the
// context is OpenGL 2.0 or newer (core profiles list neither extension on some
// drivers, yet every such context has shaders).
bool shadersSupported();

// The decision itself, from what the context reports: the two extension flags and the
// GL_VERSION string ("4.5 (Core Profile) Mesa ...", "OpenGL ES 3.0 ..."). A missing or
// unreadable version counts as older than 2.0.
bool shadersSupportedBy(bool vertexProgramExtension, bool fragmentProgramExtension,
                        const char* versionString);

}  // namespace quintaval
