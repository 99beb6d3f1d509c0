// Where the game's own files are read from. The game names them by paths relative to the working
// folder ("res/goal.png", "QUARNEL_ini.txt"); each is opened from the first data folder that has it:
// the working folder, so that local files still take effect; then the build folder (the built
// catalogues) and the source tree, for a program run from the build folder it was built in; then the installed data
// folder, found from the program's own place.
#pragma once

#include <string>
#include <vector>

// The installed data folder of a program at exePath: its folder joined with the relative path from
// the programs' folder to the data folder (as installed, "../share/quarnel"). Empty for an empty path.
std::string InstalledDataFolder(const std::string& exePath);

// The data folders of a program at exePath, built in buildFolder from sourceFolder, in lookup order.
// The working folder is the empty string.
std::vector<std::string> DataFolders(const std::string& exePath, const std::string& buildFolder,
                                     const std::string& sourceFolder);

// The path to open for `name`: name itself when it exists from the working folder, otherwise the copy
// in the first folder that has it, otherwise name unchanged (so errors name the file as asked).
// Absolute names are never redirected.
std::string ResolveDataPath(const std::string& name, const std::vector<std::string>& folders);

// Whether any of the folders holds the game's pictures or models (res/ or res_3d/).
bool HoldsGameData(const std::vector<std::string>& folders);

// ResolveDataPath with the data folders of the running program, found once from /proc/self/exe.
std::string ResolveGameFile(const std::string& name);

// The folder of the player's own files: xdgDataHome/quarnel when that is an absolute path (as the
// XDG base directories have it), else home/.local/share/quarnel; "" when neither can be used.
std::string PlayerDataFolder(const char* xdgDataHome, const char* home);
// The player's file `name` in the PlayerDataFolder of this process' environment; "" without one.
std::string PlayerFilePath(const char* name);

// Says on stderr that one of the game's files failed to load ("quarnel: <message>"). When no data
// folder holds any game data at all, it says once which folders were tried instead.
void ReportGameFileFailure(const std::string& message);
