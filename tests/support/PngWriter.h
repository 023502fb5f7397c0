#pragma once

#include <string>
#include <vector>

// Writes an 8-bit RGBA PNG without compression (stored deflate blocks), so tests can make
// their own images. Pixels are RGBA bytes, row by row from the top left.
bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba);

// A width x height image of one colour.
bool WriteSolidPng(const std::string& path, int width, int height, unsigned char r, unsigned char g,
                   unsigned char b, unsigned char a = 255);
