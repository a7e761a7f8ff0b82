#pragma once
// File helpers shared by the skintool commands. Failures raise ESkinToolError naming the file.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "skin/skin_reader.h"

// A path as UTF-8 text, for messages.
std::string PathText(const std::filesystem::path& path);
// An ESkinToolError whose message is the UTF-8 text given.
[[noreturn]] void Fail(const std::string& message);

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes);

// Reads the skin store at path and opens it with reader. A store that cannot be opened raises
// ESkinToolError with the reason: the reader's older-skin message or what did not add up.
// Answers the store's bytes.
std::vector<uint8_t> OpenStoreFile(const std::filesystem::path& path, TSkinReader& reader);
