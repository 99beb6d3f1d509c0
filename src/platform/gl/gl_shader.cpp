#include "platform/gl/gl_shader.h"

namespace {

#ifdef __EMSCRIPTEN__
// Full precision everywhere, as the desktop computes, so that both draw the same pixels.
constexpr const char* VERSION_LINES =
    "#version 300 es\nprecision highp float;\nprecision highp int;\nprecision highp sampler2D;\n"
    "precision highp sampler2DArray;\n";
#else
constexpr const char* VERSION_LINES = "#version 330 core\n";
#endif

GLuint CompileShader(GLenum kind, const char* source, std::string& error) {
    const GLuint shader = glCreateShader(kind);
    const char* sources[2] = {VERSION_LINES, source};
    glShaderSource(shader, 2, sources, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok && error.empty()) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        error = std::string("a shader does not compile: ") + log;
    }
    return shader;
}

}  // namespace

GLuint BuildProgram(const char* vertexSource, const char* fragmentSource, std::string& error) {
    const GLuint vs = CompileShader(GL_VERTEX_SHADER, vertexSource, error);
    const GLuint fs = CompileShader(GL_FRAGMENT_SHADER, fragmentSource, error);
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok && error.empty()) error = "a shader program does not link";
    return program;
}
