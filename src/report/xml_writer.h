// A small streaming XML writer for the parts of the Word document: elements, attributes and
// text, with every text escaped and every character XML cannot carry left out.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kx {

class XmlWriter {
public:
    // Starts the document with the XML declaration (UTF-8, standalone).
    XmlWriter();

    // Opens element `name`; attributes may follow until content or Close.
    XmlWriter& Open(std::string_view name);
    XmlWriter& Attr(std::string_view name, std::string_view value);
    XmlWriter& Attr(std::string_view name, long long value);
    // Character content of the open element (UTF-8).
    XmlWriter& Text(std::string_view text);
    // Closes the innermost open element ("<x/>" when it has no content).
    XmlWriter& Close();
    // Open(name), its attributes in pairs, Close: for the many leaf elements of a document.
    XmlWriter& Leaf(std::string_view name,
                    std::initializer_list<std::pair<std::string_view, std::string_view>> attrs);

    // The document so far; complete once every element is closed.
    const std::string& Xml() const { return out_; }

private:
    void EndStartTag();

    std::string out_;
    std::vector<std::string> open_;
    bool inStartTag_ = false;
};

// UTF-8 text escaped for XML content or attribute values. Control characters other than tab,
// line feed and carriage return are left out, and bytes that are not UTF-8 become U+FFFD, so
// the result is always well-formed whatever the input.
std::string EscapeXml(std::string_view text);

}  // namespace kx
