#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace Quorvane {

// One kind of model file the programs open: its name in the open dialog and
// its file name extensions, lower case, without the dot.
struct ModelFormat {
    std::string_view name;
    std::span<const std::string_view> extensions;
};

// Every format the programs open, in the order the open dialog lists them.
// The one list that both shells' dialogs and the importer go by, so that the
// Linux and the Windows programs open the same files.
std::span<const ModelFormat> modelFormats();

// The open dialog's entry for any file.
constexpr std::string_view allFilesName = "All files";

// True when path ends in the extension of one of modelFormats, in any case.
bool hasModelExtension(const std::filesystem::path& path);

// "*.obj *.stl ..." for every extension of every format: the dialog's first
// entry, which shows all models at once. separator goes between the patterns
// (" " for Qt, ";" for Win32).
std::string modelFilePatterns(std::string_view separator);

// The same patterns for one format.
std::string modelFilePatterns(const ModelFormat& format, std::string_view separator);

} // namespace Quorvane
