// Compiles and links a vertex and a fragment shader into one program.
#pragma once

#include <string>

#include "platform/gl/gl_api.h"

// The sources come without a #version line: the one of the GL in use (GLSL 3.30 core or GLSL ES
// 3.00 with its precisions) is put in front here. On failure `error` says why (the first compiler
// message); the returned program is unusable then.
GLuint BuildProgram(const char* vertexSource, const char* fragmentSource, std::string& error);
