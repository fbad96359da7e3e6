#include "support/docx_reader.h"

#include <zip.h>

namespace kx::test {

namespace {

std::string Unescape(const std::string& s) {
    static const std::pair<const char*, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (size_t i = 0; i < s.size();) {
        bool replaced = false;
        for (const auto& [entity, ch] : kEntities) {
            if (s.compare(i, std::char_traits<char>::length(entity), entity) == 0) {
                out += ch;
                i += std::char_traits<char>::length(entity);
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out += s[i++];
        }
    }
    return out;
}

// Text of the elements between `open` (a start-tag prefix) and `close` in [from, to).
std::vector<std::string> Elements(const std::string& xml, const std::string& open,
                                  const std::string& close, size_t from, size_t to) {
    std::vector<std::string> found;
    size_t at = from;
    while ((at = xml.find(open, at)) != std::string::npos && at < to) {
        const char next = xml[at + open.size()];
        if (next != '>' && next != ' ' && next != '/') {  // "<w:t" must not match "<w:tbl"
            at += open.size();
            continue;
        }
        const size_t body = xml.find('>', at) + 1;
        if (xml[body - 2] == '/') {  // empty element
            found.emplace_back();
            at = body;
            continue;
        }
        const size_t end = xml.find(close, body);
        found.push_back(xml.substr(body, end - body));
        at = end + close.size();
    }
    return found;
}

}  // namespace

DocxParts ReadDocx(const std::string& path) {
    DocxParts parts;
    int err = 0;
    zip_t* z = zip_open(path.c_str(), ZIP_RDONLY, &err);
    if (z == nullptr) {
        parts.error = "cannot open as ZIP (" + std::to_string(err) + ")";
        return parts;
    }
    const zip_int64_t n = zip_get_num_entries(z, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st);
        std::string content(st.size, '\0');
        zip_file_t* f = zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0);
        if (f == nullptr ||
            zip_fread(f, content.data(), st.size) != static_cast<zip_int64_t>(st.size)) {
            parts.error = std::string("cannot read member ") + st.name;
        }
        if (f != nullptr) {
            zip_fclose(f);
        }
        parts.members[st.name] = content;
    }
    zip_close(z);
    return parts;
}

std::vector<std::vector<std::string>> TableTexts(const std::string& xml, size_t index) {
    const std::vector<std::string> tables = Elements(xml, "<w:tbl", "</w:tbl>", 0, xml.size());
    std::vector<std::vector<std::string>> rows;
    if (index >= tables.size()) {
        return rows;
    }
    const std::string& t = tables[index];
    for (const std::string& row : Elements(t, "<w:tr", "</w:tr>", 0, t.size())) {
        std::vector<std::string> cells;
        for (const std::string& cell : Elements(row, "<w:tc", "</w:tc>", 0, row.size())) {
            std::string text;
            for (const std::string& run : Elements(cell, "<w:t", "</w:t>", 0, cell.size())) {
                text += Unescape(run);
            }
            cells.push_back(text);
        }
        rows.push_back(cells);
    }
    return rows;
}

size_t CountOf(const std::string& text, const std::string& needle) {
    size_t n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
        ++n;
    }
    return n;
}

std::vector<uint8_t> JpegHeaderBytes(int width, int height, uint8_t frameMarker) {
    std::vector<uint8_t> b = {0xFF, 0xD8,                                     // start of image
                              0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0,  // JFIF header
                              1,    1,    0,    0,    1,   0,   1,   0,   0};
    b.insert(b.end(), {0xFF, 0xC4, 0x00, 0x03, 0x00});  // a table segment before the frame
    b.insert(b.end(), {0xFF, frameMarker, 0x00, 0x0B, 8, static_cast<uint8_t>(height >> 8),
                       static_cast<uint8_t>(height), static_cast<uint8_t>(width >> 8),
                       static_cast<uint8_t>(width), 1, 1, 0x11, 0});
    b.insert(b.end(), {0xFF, 0xD9});
    return b;
}

}  // namespace kx::test
