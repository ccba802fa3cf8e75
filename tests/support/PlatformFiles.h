// Special files the conversion tests use, as each platform names them.
#pragma once

#ifdef _WIN32
// Under Wine drive Z: is Linux's root, so Linux's special files serve here
// too: tests that use these two run only under Wine.
inline constexpr const char* kUnreadableFile = "Z:\\proc\\self\\mem";  // opens, but every read fails
inline constexpr const char* kFullDevice = "Z:\\dev\\full";             // every write fails: disk full
inline constexpr const char* kNullDevice = "NUL";
#else
inline constexpr const char* kUnreadableFile = "/proc/self/mem";
inline constexpr const char* kFullDevice = "/dev/full";
inline constexpr const char* kNullDevice = "/dev/null";
#endif
