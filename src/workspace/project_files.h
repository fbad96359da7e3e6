// File names of a project: listing a project directory in the order of the numbers in the
// names, and the texts the data list shows for a file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

// The text after the last '/' of a path.
std::string FileNameOf(const std::string& path);
// The directory part of a path, up to and including its last '/' (empty when there is none).
std::string DirectoryPartOf(const std::string& path);

// The number a file is sorted by: the name up to its last '.', read as an optional sign and
// the leading decimal digits (0 when there are none; saturating at the int32 range).
int32_t NumericNameValue(std::string_view path);

// Stable sort of paths by NumericNameValue; equal values keep their order.
void SortByNumericName(std::vector<std::string>& paths);

// The data list's type column: "分析文件" for a kxc, "原始文件" for a kxd, else the suffix.
std::string FileTypeText(const std::string& path);

// Names of the regular files directly in `dir` (directories and other entries are left out),
// in the order the directory gives them. Fails when the directory cannot be read.
bool ListRegularFiles(const std::string& dir, std::vector<std::string>& names);

// Full paths of the regular files directly in `dir` whose suffix is exactly `suffix`, in
// the order the directory gives them. Fails when the directory cannot be read.
bool ListFilesWithSuffix(const std::string& dir, const std::string& suffix,
                         std::vector<std::string>& paths);

// `dir` joined with a file name.
std::string JoinPath(const std::string& dir, const std::string& name);

// Whether the path ends with `suffix` (".kxc"), exactly as the readers tell the formats apart.
bool HasSuffix(const std::string& path, const std::string& suffix);

// Whether two directory paths name the same directory (as the file system resolves them; false
// when either cannot be resolved).
bool SameDirectory(const std::string& a, const std::string& b);

}  // namespace kx
