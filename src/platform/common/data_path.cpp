#include "platform/common/data_path.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/dx.h"

// Set by the build: the install layout (this is the layout GNUInstallDirs gives by default), and
// the folders the program was built in and from.
#ifndef QUARNEL_DATA_FROM_BIN
#define QUARNEL_DATA_FROM_BIN "../share/quarnel"
#endif
#ifndef QUARNEL_BUILD_DIR
#define QUARNEL_BUILD_DIR ""
#endif
#ifndef QUARNEL_SOURCE_DIR
#define QUARNEL_SOURCE_DIR ""
#endif

namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

// Whether the file at path lies inside folder, both taken as they really are on disk.
bool Inside(const std::string& path, const std::string& folder) {
    if (path.empty() || folder.empty()) return false;
    std::error_code error;
    const fs::path real = fs::weakly_canonical(path, error);
    const fs::path root = fs::weakly_canonical(folder, error);
    if (error) return false;
    return std::mismatch(root.begin(), root.end(), real.begin(), real.end()).first == root.end();
}

const std::vector<std::string>& ProgramDataFolders() {
    static const std::vector<std::string> folders = [] {
        std::error_code error;
        const fs::path exe = fs::read_symlink("/proc/self/exe", error);
        return DataFolders(error ? std::string() : exe.string(), QUARNEL_BUILD_DIR, QUARNEL_SOURCE_DIR);
    }();
    return folders;
}

std::string FolderName(const std::string& folder) {
    std::error_code error;
    return folder.empty() ? fs::current_path(error).string() : folder;
}

}  // namespace

std::string InstalledDataFolder(const std::string& exePath) {
    if (exePath.empty()) return {};
    return (fs::path(exePath).parent_path() / QUARNEL_DATA_FROM_BIN).lexically_normal().string();
}

std::vector<std::string> DataFolders(const std::string& exePath, const std::string& buildFolder,
                                     const std::string& sourceFolder) {
    std::vector<std::string> folders{""};
    if (!sourceFolder.empty() && Inside(exePath, buildFolder))
        folders.insert(folders.end(), {buildFolder, sourceFolder});
    const std::string installed = InstalledDataFolder(exePath);
    if (!installed.empty()) folders.push_back(installed);
    return folders;
}

std::string ResolveDataPath(const std::string& name, const std::vector<std::string>& folders) {
    const fs::path path(name);
    if (name.empty() || path.is_absolute()) return name;
    for (const std::string& folder : folders) {
        const fs::path candidate = folder.empty() ? path : fs::path(folder) / path;
        if (Exists(candidate)) return candidate.string();
    }
    return name;
}

bool HoldsGameData(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders)
        for (const char* part : {"res", "res_3d"})
            if (Exists(fs::path(folder.empty() ? "." : folder) / part)) return true;
    return false;
}

std::string ResolveGameFile(const std::string& name) { return ResolveDataPath(name, ProgramDataFolders()); }

std::string PlayerDataFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && fs::path(xdgDataHome).is_absolute()) return (fs::path(xdgDataHome) / "quarnel").string();
    if (home && *home) return (fs::path(home) / ".local/share/quarnel").string();
    return "";
}

std::string PlayerFilePath(const char* name) {
    const std::string folder = PlayerDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    return folder.empty() ? folder : (fs::path(folder) / name).string();
}

void ReportGameFileFailure(const std::string& message) {
    static const bool noData = !HoldsGameData(ProgramDataFolders());
    static bool said = false;
    if (!noData) {
        std::fprintf(stderr, "quarnel: %s\n", message.c_str());
        return;
    }
    if (said) return;
    said = true;
    std::string tried;
    for (const std::string& folder : ProgramDataFolders()) tried += (tried.empty() ? "" : ", ") + FolderName(folder);
    std::fprintf(stderr, "quarnel: the game's pictures and models (res/, res_3d/) are in none of: %s\n", tried.c_str());
}

std::string dxResolveDataPath(const char* name) { return ResolveGameFile(name ? name : ""); }
