// Preloaded into the game by bench/soak.sh. Each time the game saves a picture (a `shot` of an input
// script) it prints one line to standard error, after the picture is written:
//   soak FILE heap=BYTES rss_kib=KIB textures=N buffers=N vertex_arrays=N framebuffers=N
//        renderbuffers=N programs=N shaders=N
// heap is what malloc has handed out and not taken back (mallinfo2: arena chunks in use plus
// mmapped blocks); rss_kib is the resident set from /proc; the GL counts ask the driver which
// object names are alive, so they count whatever created them.
#include <dlfcn.h>
#include <malloc.h>

#include <cstdio>
#include <cstring>

namespace {

using GLuint = unsigned int;
using GLboolean = unsigned char;
using IsObject = GLboolean (*)(GLuint);
using GenObjects = void (*)(int, GLuint*);
using GetProc = void* (*)(const char*);

void* GlFunction(const char* name) {
    static auto getProc = reinterpret_cast<GetProc>(dlsym(RTLD_DEFAULT, "SDL_GL_GetProcAddress"));
    return getProc ? getProc(name) : nullptr;
}

// Names are probed up to past the highest one the driver would hand out next, and at least this far.
constexpr GLuint MIN_PROBED_NAMES = 65536;

GLuint ProbeLimit() {
    auto gen = reinterpret_cast<GenObjects>(GlFunction("glGenTextures"));
    auto del = reinterpret_cast<void (*)(int, const GLuint*)>(GlFunction("glDeleteTextures"));
    GLuint next = 0;
    if (gen && del) {
        gen(1, &next);
        del(1, &next);
    }
    return next + 4096 > MIN_PROBED_NAMES ? next + 4096 : MIN_PROBED_NAMES;
}

long LiveNames(const char* isFunction, GLuint limit) {
    auto is = reinterpret_cast<IsObject>(GlFunction(isFunction));
    if (!is) return -1;
    long live = 0;
    for (GLuint name = 1; name < limit; ++name) live += is(name) ? 1 : 0;
    return live;
}

long ResidentKib() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmRSS: %ld kB", &kib) == 1) break;
    std::fclose(status);
    return kib;
}

void Sample(const char* file) {
    const struct mallinfo2 heap = mallinfo2();
    const GLuint limit = ProbeLimit();
    std::fprintf(stderr,
                 "soak %s heap=%zu rss_kib=%ld textures=%ld buffers=%ld vertex_arrays=%ld framebuffers=%ld "
                 "renderbuffers=%ld programs=%ld shaders=%ld\n",
                 file, heap.uordblks + heap.hblkhd, ResidentKib(), LiveNames("glIsTexture", limit),
                 LiveNames("glIsBuffer", limit), LiveNames("glIsVertexArray", limit),
                 LiveNames("glIsFramebuffer", limit), LiveNames("glIsRenderbuffer", limit),
                 LiveNames("glIsProgram", limit), LiveNames("glIsShader", limit));
}

}  // namespace

extern "C" int IMG_SavePNG(void* surface, const char* file) {
    using Save = int (*)(void*, const char*);
    static auto real = reinterpret_cast<Save>(dlsym(RTLD_NEXT, "IMG_SavePNG"));
    const int result = real ? real(surface, file) : -1;
    Sample(file ? file : "(none)");
    return result;
}
