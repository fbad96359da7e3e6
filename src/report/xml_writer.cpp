#include "report/xml_writer.h"

#include <cstdint>

namespace kx {

namespace {

// Length of the UTF-8 sequence starting at text[i] and its code point, or 0 when the bytes
// there are not a well-formed sequence.
size_t DecodeUtf8(std::string_view text, size_t i, uint32_t& cp) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t b0 = byte(i);
    size_t len = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1Fu;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0Fu;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07u;
    } else {
        return 0;
    }
    if (i + len > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < len; ++k) {
        if ((byte(i + k) & 0xC0u) != 0x80u) {
            return 0;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3Fu);
    }
    const uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (cp < minimum[len] || cp > 0x10FFFF || surrogate) {
        return 0;
    }
    return len;
}

}  // namespace

std::string EscapeXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        uint32_t cp = 0;
        const size_t len = DecodeUtf8(text, i, cp);
        if (len == 0) {
            out += "\xEF\xBF\xBD";  // U+FFFD
            ++i;
            continue;
        }
        switch (cp) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                const bool allowed = cp >= 0x20 || cp == '\t' || cp == '\n' || cp == '\r';
                if (allowed && cp != 0xFFFE && cp != 0xFFFF) {
                    out.append(text.substr(i, len));
                }
        }
        i += len;
    }
    return out;
}

XmlWriter::XmlWriter() {
    out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
}

void XmlWriter::EndStartTag() {
    if (inStartTag_) {
        out_ += '>';
        inStartTag_ = false;
    }
}

XmlWriter& XmlWriter::Open(std::string_view name) {
    EndStartTag();
    out_ += '<';
    out_ += name;
    open_.emplace_back(name);
    inStartTag_ = true;
    return *this;
}

XmlWriter& XmlWriter::Attr(std::string_view name, std::string_view value) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    out_ += EscapeXml(value);
    out_ += '"';
    return *this;
}

XmlWriter& XmlWriter::Attr(std::string_view name, long long value) {
    return Attr(name, std::to_string(value));
}

XmlWriter& XmlWriter::Text(std::string_view text) {
    EndStartTag();
    out_ += EscapeXml(text);
    return *this;
}

XmlWriter& XmlWriter::Close() {
    if (open_.empty()) {
        return *this;
    }
    if (inStartTag_) {
        out_ += "/>";
        inStartTag_ = false;
    } else {
        out_ += "</";
        out_ += open_.back();
        out_ += '>';
    }
    open_.pop_back();
    return *this;
}

XmlWriter& XmlWriter::Leaf(
    std::string_view name,
    std::initializer_list<std::pair<std::string_view, std::string_view>> attrs) {
    Open(name);
    for (const auto& [key, value] : attrs) {
        Attr(key, value);
    }
    return Close();
}

}  // namespace kx
