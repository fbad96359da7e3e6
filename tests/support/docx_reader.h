// Reads a .docx back for the tests: its ZIP members, and the rows and cell texts of a table of
// its document part, found by plain text search, apart from the writer's own code.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kx::test {

struct DocxParts {
    std::string error;                           // empty when the archive was read
    std::map<std::string, std::string> members;  // name -> content
    const std::string& Document() const { return members.at("word/document.xml"); }
};

DocxParts ReadDocx(const std::string& path);

// Cell texts, row by row, of table `index` (0-based) of a document part.
std::vector<std::vector<std::string>> TableTexts(const std::string& documentXml, size_t index = 0);

// Occurrences of `needle` in `text`.
size_t CountOf(const std::string& text, const std::string& needle);

// The first bytes of a JPEG stream up to its frame header (enough to give its size), then
// the end-of-image marker.
std::vector<uint8_t> JpegHeaderBytes(int width, int height, uint8_t frameMarker = 0xC0);

}  // namespace kx::test
