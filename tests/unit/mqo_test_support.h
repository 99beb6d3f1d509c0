// Shared by the model parser tests.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

// The bytes of a fixture model in tests/fixtures/models.
inline std::string ReadFixture(const std::string& name) {
    std::ifstream in(std::string(QUARNEL_FIXTURES) + "/models/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
