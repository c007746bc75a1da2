#pragma once

#include <optional>
#include <string>

#include <CLI/CLI.hpp>

namespace kxtool {

// The text forms of a configuration: its channel table as CSV, or all of it as YAML.
enum class TextFormat { kCsv, kYaml };

// --format csv|yaml.
CLI::Option* addFormatOption(CLI::App& command, std::string& format);

// The format --format names, else the one the file's extension says (.csv, .yaml, .yml in any
// case); nothing when neither tells.
std::optional<TextFormat> formatOf(const std::string& path, const std::string& format);

}  // namespace kxtool
