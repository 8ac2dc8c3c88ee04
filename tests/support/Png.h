// A minimal PNG writer (stored deflate blocks): enough for test captures,
// with no library behind it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// rgb: width*height*3 bytes, top row first. Returns false when the file
// cannot be written.
bool WritePng(const std::wstring& path, int width, int height, const std::vector<uint8_t>& rgb);
