// The OpenGL functions of the renderer: OpenGL 3.3 core on the desktop (through libepoxy), OpenGL
// ES 3.0 in the browser (WebGL 2). The renderer keeps to what both have.
#pragma once

#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>
#else
#include <epoxy/gl.h>
#endif

#ifdef __EMSCRIPTEN__
inline void glClearDepth(double depth) { glClearDepthf(float(depth)); }
#endif
