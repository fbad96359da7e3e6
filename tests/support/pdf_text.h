// Reads a PDF back with poppler's pdfinfo and pdftotext (package poppler-utils): the page
// count, and a page's text with the blanks and line ends pdftotext puts between words
// removed, so texts are found whatever the layout.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kx::test {

inline std::string RunCommand(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run " << command;
        return out;
    }
    char buf[4096];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) {
        out.append(buf, n);
    }
    EXPECT_EQ(::pclose(pipe), 0) << command << " (poppler-utils installed?)";
    return out;
}

inline int PdfPages(const std::string& pdf) {
    const std::string info = RunCommand("pdfinfo '" + pdf + "'");
    const size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

inline std::string PdfText(const std::string& pdf, int page) {
    std::string text = RunCommand("pdftotext -f " + std::to_string(page) + " -l " +
                                  std::to_string(page) + " '" + pdf + "' -");
    std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
    return text;
}

}  // namespace kx::test
