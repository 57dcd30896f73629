#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// One file per fuzzing process, rewritten for every input, for the readers
// that take a path.
inline std::filesystem::path scratchFile(const std::string &name)
{
    static const std::filesystem::path directory = [] {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("teb-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return directory / name;
}

inline void writeScratch(const std::filesystem::path &file, const std::uint8_t *data, std::size_t size)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
}
