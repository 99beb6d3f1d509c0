// Which copy of a game file is opened: the working folder's, then the installed one.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/common/data_path.h"

namespace fs = std::filesystem;

namespace {

// A scratch tree: <root>/work is the working folder, <root>/usr/{bin,share/quarnel} an installation.
class DataPath : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("quarnel_data_path_" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "work");
        fs::create_directories(root_ / "usr/bin");
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
    std::string Installed() const { return InstalledDataFolder((root_ / "usr/bin/quarnel").string()); }

    fs::path root_, previous_;
};

TEST_F(DataPath, InstalledFolderIsBesideTheProgramsFolder) {
    EXPECT_EQ(InstalledDataFolder("/usr/bin/quarnel"), "/usr/share/quarnel");
    EXPECT_EQ(InstalledDataFolder("/opt/q/bin/../bin/quarnel"), "/opt/q/share/quarnel");
    EXPECT_EQ(InstalledDataFolder(""), "");
}

TEST_F(DataPath, WorkingFolderWinsThenTheInstallation) {
    const std::string data = Installed();
    EXPECT_EQ(data, (root_ / "usr/share/quarnel").string());
    Touch(root_ / "usr/share/quarnel/res/goal.png");
    Touch(root_ / "usr/share/quarnel/QUARNEL_ini.txt");
    EXPECT_EQ(ResolveDataPath("res/goal.png", data), data + "/res/goal.png");
    EXPECT_EQ(ResolveDataPath("QUARNEL_ini.txt", data), data + "/QUARNEL_ini.txt");

    // Local copies win, file by file.
    Touch("res/goal.png");
    Touch("QUARNEL_ini.txt");
    EXPECT_EQ(ResolveDataPath("res/goal.png", data), "res/goal.png");
    EXPECT_EQ(ResolveDataPath("QUARNEL_ini.txt", data), "QUARNEL_ini.txt");
    Touch(root_ / "usr/share/quarnel/res/start.png");
    EXPECT_EQ(ResolveDataPath("res/start.png", data), data + "/res/start.png");
}

TEST_F(DataPath, MissingEverywhereOrAbsoluteStaysAsNamed) {
    const std::string data = Installed();
    EXPECT_EQ(ResolveDataPath("res/goal.png", data), "res/goal.png");  // no installation there
    Touch(root_ / "usr/share/quarnel/res/goal.png");
    EXPECT_EQ(ResolveDataPath("res/none.png", data), "res/none.png");
    EXPECT_EQ(ResolveDataPath("res/goal.png", ""), "res/goal.png");  // program place unknown
    EXPECT_EQ(ResolveDataPath("/res/goal.png", data), "/res/goal.png");
    EXPECT_EQ(ResolveDataPath("", data), "");
}

TEST_F(DataPath, RunningProgramFindsItsWorkingFolderCopy) {
    Touch("res/local.png");
    EXPECT_EQ(ResolveInstalledDataPath("res/local.png"), "res/local.png");
    EXPECT_EQ(ResolveInstalledDataPath("res/nowhere.png"), "res/nowhere.png");
}

}  // namespace
