// Which copy of a game file is opened: the working folder's, then the source tree's for a program
// in its build folder, then the installed one.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/common/data_path.h"

namespace fs = std::filesystem;

namespace {

// A scratch tree: <root>/work is the working folder, <root>/usr/{bin,share/quarnel} an installation,
// <root>/src a source tree built in <root>/src/build.
class DataPath : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("quarnel_data_path_" + std::to_string(getpid()));
        fs::remove_all(root_);
        for (const char* folder : {"work", "usr/bin", "src/build"}) fs::create_directories(root_ / folder);
        previous_ = fs::current_path();
        fs::current_path(root_ / "work");
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(root_);
    }
    static void Touch(const fs::path& file) {
        if (file.has_parent_path()) fs::create_directories(file.parent_path());
        std::ofstream(file) << "x";
    }
    std::vector<std::string> Folders(const fs::path& exe) const {
        return DataFolders(exe.string(), (root_ / "src/build").string(), (root_ / "src").string());
    }
    std::string At(const char* path) const { return (root_ / path).string(); }

    fs::path root_, previous_;
};

// The player's files follow the XDG base directories: a relative XDG_DATA_HOME is ignored.
TEST(PlayerData, FolderFromXdgDataHomeElseHome) {
    EXPECT_EQ(PlayerDataFolder("/x/data", "/home/p"), "/x/data/quarnel");
    EXPECT_EQ(PlayerDataFolder("data", "/home/p"), "/home/p/.local/share/quarnel");
    EXPECT_EQ(PlayerDataFolder(nullptr, "/home/p"), "/home/p/.local/share/quarnel");
    EXPECT_EQ(PlayerDataFolder("", ""), "");
}

// The installed folder is share/quarnel beside the program's folder.
TEST_F(DataPath, SourceTreeOnlyForProgramsInTheirBuildFolder) {
    EXPECT_EQ(Folders(root_ / "usr/bin/quarnel"), (std::vector<std::string>{"", At("usr/share/quarnel")}));
    EXPECT_EQ(Folders(root_ / "src/build/quarnel"),
              (std::vector<std::string>{"", At("src/build"), At("src"), At("src/share/quarnel")}));
    EXPECT_EQ(Folders(root_ / "src/build/tests/../quarnel"), Folders(root_ / "src/build/quarnel"));
    // A folder whose name only begins like the build folder's is another folder.
    EXPECT_EQ(Folders(root_ / "src/build2/quarnel").size(), 2u);
    EXPECT_EQ(Folders("").size(), 1u);  // program place unknown: the working folder alone
}

// Local copies win, file by file, then the source tree, then the installed folder; a file found
// nowhere, or named absolutely, stays as named.
TEST_F(DataPath, FirstFolderWithTheFileWins) {
    const auto folders = Folders(root_ / "src/build/quarnel");
    EXPECT_FALSE(HoldsGameData(folders));
    EXPECT_EQ(ResolveDataPath("res/goal.png", folders), "res/goal.png");
    Touch(root_ / "src/share/quarnel/res/goal.png");
    Touch(root_ / "src/share/quarnel/res/start.png");
    Touch(root_ / "src/share/quarnel/QUARNEL_ini.txt");
    EXPECT_TRUE(HoldsGameData(folders));
    EXPECT_EQ(ResolveDataPath("res/goal.png", folders), At("src/share/quarnel/res/goal.png"));
    EXPECT_EQ(ResolveDataPath("QUARNEL_ini.txt", folders), At("src/share/quarnel/QUARNEL_ini.txt"));
    Touch(root_ / "src/res/goal.png");
    EXPECT_EQ(ResolveDataPath("res/goal.png", folders), At("src/res/goal.png"));
    Touch("res/goal.png");
    Touch("QUARNEL_ini.txt");
    EXPECT_EQ(ResolveDataPath("res/goal.png", folders), "res/goal.png");
    EXPECT_EQ(ResolveDataPath("QUARNEL_ini.txt", folders), "QUARNEL_ini.txt");
    EXPECT_EQ(ResolveDataPath("res/start.png", folders), At("src/share/quarnel/res/start.png"));
    EXPECT_EQ(ResolveGameFile("res/goal.png"), "res/goal.png");  // the running program's own lookup
    for (const char* asNamed : {"res/none.png", "/res/goal.png", ""})
        EXPECT_EQ(ResolveDataPath(asNamed, folders), asNamed);
}

}  // namespace
