#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "frame/settings.h"
#include "platform/fake/fake_dx.h"

namespace {

std::string FieldOf(const std::string& bytes) {
    std::FILE* file = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    std::string field = ReadSettingsField(file);
    std::fclose(file);
    return field;
}

// The rate the game applies for a file starting with these bytes; 1 when it leaves the scale alone.
double RateFor(const std::string& bytes) {
    const auto dir = std::filesystem::temp_directory_path() / "quarnel_settings_test";
    std::filesystem::create_directories(dir);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    std::ofstream(SETTINGS_FILE, std::ios::binary) << bytes;
    fake::Reset();
    ReadSettings();
    std::filesystem::remove(SETTINGS_FILE);
    std::filesystem::current_path(previous);
    return fake::WindowSizeRate();
}

TEST(Settings, RatesForFileContents) {
    const struct {
        std::string bytes;
        double rate;
    } cases[] = {
        {"1.5", 1.5},          {"2.5", 2.0},        {"3", 2.0},          {"0.5", 0.5},
        {"2", 2.0},            {"2.0000001", 2.0},  {"0.001", 0.001},    {"&H2", 2.0},
        {"&h1", 1.0},          {"&O1", 1.0},        {"&o7", 2.0},        {"1,5", 1.0},
        {"1.25 wide", 1.25},   {"+1.5", 1.5},       {".5", 0.5},         {"1.", 1.0},
        {"1e2", 1.0},          {" \t 1.5\r\n2", 1.5}, {"1\t2", 1.0},     {"1.5\nmore\nlines", 1.5},
        // Left alone: the default rate 1 stays.
        {"0", 1.0},            {"-1", 1.0},         {"word", 1.0},       {"", 1.0},
        {"  \t ", 1.0},        {"\n1.5", 1.0},      {"\"1.5\"", 1.0},    {"&O8", 1.0},
        {"&X1", 1.0},          {"\xEF\xBB\xBF" "1.5", 1.0}, {"\"1,5\"", 1.0}, {".", 1.0},
        {"-", 1.0},            {"&", 1.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(RateFor(c.bytes), c.rate) << "file: " << c.bytes;
}

TEST(Settings, MissingFileLeavesScaleAlone) {
    const auto dir = std::filesystem::temp_directory_path() / "quarnel_settings_empty";
    std::filesystem::create_directories(dir);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    fake::Reset();
    ReadSettings();
    std::filesystem::current_path(previous);
    EXPECT_TRUE(fake::CallsNamed("dxSetWindowSizeExtendRate").empty());
}

// A settings file that is there but cannot be read (here a folder of that name) is ignored with
// one line saying why.
TEST(Settings, UnreadableFileIsReportedOnceAndIgnored) {
    const auto dir = std::filesystem::temp_directory_path() / "quarnel_settings_folder";
    std::filesystem::create_directories(dir / SETTINGS_FILE);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    fake::Reset();
    testing::internal::CaptureStderr();
    ReadSettings();
    const std::string err = testing::internal::GetCapturedStderr();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
    EXPECT_TRUE(fake::CallsNamed("dxSetWindowSizeExtendRate").empty());
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find(SETTINGS_FILE), std::string::npos) << err;
}

TEST(Settings, FieldEndings) {
    EXPECT_EQ(FieldOf("1.5,2"), "1.5");
    EXPECT_EQ(FieldOf("\"1,5\",2"), "\"1,5\"");  // a quoted comma stays in the field
    EXPECT_EQ(FieldOf("1\r2\r\n3"), "1\r2");     // a lone CR stays, CR LF ends
    EXPECT_EQ(FieldOf(std::string("12\0" "3", 4)), "12");
    EXPECT_EQ(FieldOf("  a b\tc\nd"), "a b\tc");
    EXPECT_EQ(FieldOf(""), "");
    EXPECT_EQ(ReadSettingsField(nullptr), "");
}

TEST(Settings, HugeFieldIsCut) {
    const std::string huge(10'000'000, '7');
    const std::string field = FieldOf(huge);
    EXPECT_EQ(field.size(), SETTINGS_FIELD_LIMIT);
    EXPECT_DOUBLE_EQ(RateFor(huge), 2.0);
}

TEST(Settings, NumberConversion) {
    EXPECT_DOUBLE_EQ(SettingsNumber("&HfF"), 255.0);
    EXPECT_DOUBLE_EQ(SettingsNumber("&O17x"), 15.0);
    EXPECT_DOUBLE_EQ(SettingsNumber("-2.5"), -2.5);
    EXPECT_DOUBLE_EQ(SettingsNumber("--2"), 0.0);
    EXPECT_DOUBLE_EQ(SettingsNumber("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(SettingsNumber("\t 7"), 7.0);
}

}  // namespace
