// Compiles and links a vertex and a fragment shader into one program.
#pragma once

#include <epoxy/gl.h>

#include <string>

// On failure `error` says why (the first compiler message); the returned program is unusable then.
GLuint BuildProgram(const char* vertexSource, const char* fragmentSource, std::string& error);
