#include "platform/common/data_path.h"

#include <filesystem>
#include <system_error>

#include "platform/dx.h"

// Set by the build from the install layout; this is the layout GNUInstallDirs gives by default.
#ifndef QUARNEL_DATA_FROM_BIN
#define QUARNEL_DATA_FROM_BIN "../share/quarnel"
#endif

namespace fs = std::filesystem;

std::string InstalledDataFolder(const std::string& exePath) {
    if (exePath.empty()) return {};
    return (fs::path(exePath).parent_path() / QUARNEL_DATA_FROM_BIN).lexically_normal().string();
}

std::string ResolveDataPath(const std::string& name, const std::string& dataFolder) {
    std::error_code ignored;
    const fs::path path(name);
    if (name.empty() || path.is_absolute() || fs::exists(path, ignored) || dataFolder.empty()) return name;
    const fs::path installed = fs::path(dataFolder) / path;
    return fs::exists(installed, ignored) ? installed.string() : name;
}

std::string ResolveInstalledDataPath(const std::string& name) {
    static const std::string dataFolder = [] {
        std::error_code error;
        const fs::path exe = fs::read_symlink("/proc/self/exe", error);
        return error ? std::string() : InstalledDataFolder(exe.string());
    }();
    return ResolveDataPath(name, dataFolder);
}

std::string dxResolveDataPath(const char* name) { return ResolveInstalledDataPath(name ? name : ""); }
