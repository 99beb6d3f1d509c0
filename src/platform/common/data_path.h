// Where the game's own files are read from. The game names them by paths relative to the working
// folder ("res/goal.png", "QUARNEL_ini.txt"); a copy there wins, so local files still take effect,
// then the installed copy in the data folder found from the executable's own place.
#pragma once

#include <string>

// The installed data folder of a program at exePath: its folder joined with the relative path from
// the programs' folder to the data folder (as installed, "../share/quarnel"). Empty for an empty path.
std::string InstalledDataFolder(const std::string& exePath);

// The path to open for `name`: name itself when it exists from the working folder, otherwise
// dataFolder/name when that exists, otherwise name unchanged (so errors name the file as asked).
// Absolute names are never redirected.
std::string ResolveDataPath(const std::string& name, const std::string& dataFolder);

// ResolveDataPath with the data folder of the running program, found once from /proc/self/exe.
std::string ResolveInstalledDataPath(const std::string& name);
