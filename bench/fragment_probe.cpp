// Preloaded into the game by bench/fragments.sh: counts the fragments the 3-D pass rasterises.
// Each instanced draw (the 3-D pass draws so, and nothing else does) runs inside an occlusion query,
// and the depth test is made to pass everything, so that a query counts every fragment its
// triangles cover, hidden ones included; FRAGMENT_PROBE=shaded keeps the depth test, counting only
// the fragments that reach the shader. At exit it prints on stderr, over the frames that drew:
//   "scene_frames N fragments_per_frame F per_view_pixel P" (the view being 512 x 256 pixels).
// The GL calls are taken over at libepoxy's dispatch pointers, which the game calls through.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using GLenum = unsigned int;
using GLuint = unsigned int;
using DrawInstanced = void (*)(GLenum, int, int, int);
using DepthFunc = void (*)(GLenum);

constexpr GLenum SAMPLES_PASSED = 0x8914, QUERY_RESULT = 0x8866, ALWAYS = 0x0207;
constexpr double VIEW_PIXELS = 512.0 * 256.0;

void* GlFunction(const char* name) {
    static auto getProc = reinterpret_cast<void* (*)(const char*)>(dlsym(RTLD_DEFAULT, "SDL_GL_GetProcAddress"));
    return getProc ? getProc(name) : nullptr;
}

// A dispatch pointer of libepoxy, pointed at a hook; the hook calls the driver's function itself
// (epoxy's first-call stub would call back through the pointer).
template <typename F>
struct Slot {
    const char* name;
    F real = nullptr;
    void Take(F hook) {
        if (auto* pointer = static_cast<F*>(dlsym(RTLD_DEFAULT, (std::string("epoxy_") + name).c_str())))
            *pointer = hook;
    }
    F Real() { return real ? real : real = reinterpret_cast<F>(GlFunction(name)); }
};

Slot<DrawInstanced> draw{"glDrawArraysInstanced"};
Slot<DepthFunc> depthFunc{"glDepthFunc"};
std::vector<GLuint> frameQueries;
double fragments = 0;
long frames = 0;
bool keepDepth = false;

void Draw(GLenum mode, int first, int count, int instances) {
    static auto gen = reinterpret_cast<void (*)(int, GLuint*)>(GlFunction("glGenQueries"));
    static auto begin = reinterpret_cast<void (*)(GLenum, GLuint)>(GlFunction("glBeginQuery"));
    static auto end = reinterpret_cast<void (*)(GLenum)>(GlFunction("glEndQuery"));
    GLuint query = 0;
    gen(1, &query);
    begin(SAMPLES_PASSED, query);
    draw.Real()(mode, first, count, instances);
    end(SAMPLES_PASSED);
    frameQueries.push_back(query);
}

void Depth(GLenum func) { depthFunc.Real()(keepDepth ? func : ALWAYS); }

struct Report {
    Report() {
        keepDepth = std::getenv("FRAGMENT_PROBE") && std::strcmp(std::getenv("FRAGMENT_PROBE"), "shaded") == 0;
        draw.Take(Draw);
        depthFunc.Take(Depth);
    }
    ~Report() {
        if (frames == 0) return;
        std::fprintf(stderr, "scene_frames %ld fragments_per_frame %.0f per_view_pixel %.3f\n", frames,
                     fragments / double(frames), fragments / double(frames) / VIEW_PIXELS);
    }
};
Report report;

}  // namespace

// The frame's queries are read once it is finished.
extern "C" void SDL_GL_SwapWindow(void* window) {
    static auto real = reinterpret_cast<void (*)(void*)>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    real(window);
    if (frameQueries.empty()) return;
    static auto result = reinterpret_cast<void (*)(GLuint, GLenum, GLuint*)>(GlFunction("glGetQueryObjectuiv"));
    static auto release = reinterpret_cast<void (*)(int, const GLuint*)>(GlFunction("glDeleteQueries"));
    for (const GLuint query : frameQueries) {
        GLuint samples = 0;
        result(query, QUERY_RESULT, &samples);
        fragments += samples;
    }
    release(int(frameQueries.size()), frameQueries.data());
    frameQueries.clear();
    ++frames;
}
