// Decoded pictures, for textures and models.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// RGBA pixels, rows top first.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

// Decodes a picture file (PNG at least), quietly; false with the reason in `error`. Each backend
// has its own decoder.
bool LoadPictureFile(const std::string& path, Picture& picture, std::string& error);
