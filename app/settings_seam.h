// Where the settings file's bytes are written, so a test can make the write fail
// as a full disk would.
#pragma once
#include <cstddef>
#include <cstdio>

namespace quillet {

using SettingsWriteFunction = size_t (*)(const void* data, size_t size, size_t count, std::FILE* file);
extern SettingsWriteFunction SettingsWrite;

}  // namespace quillet
