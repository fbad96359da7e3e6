// Writes a WordDocument as an Office Open XML word-processing file (.docx): the document,
// style and relationship parts and the embedded pictures, zipped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "record/status.h"
#include "report/word_document.h"

namespace kx {

// The package's bytes.
Status DocxBytes(const WordDocument& doc, std::vector<uint8_t>& out);

// Writes the package to `path` through a temporary file beside it, renamed over the target
// only once complete: a failure leaves no partial document and any old file as it was.
Status WriteDocx(const WordDocument& doc, const std::string& path);

}  // namespace kx
