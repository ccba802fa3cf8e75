// The XML parser under the phonebook reader: the platform's own (expat on
// Linux, MSXML on Windows), one small file each. Everything above it, which
// elements count and how their text becomes records, is XmlContacts.
#pragma once

#include <cstddef>
#include <string_view>

#include "ByteSource.h"

// Parsers keep a whole markup token (a comment, a tag with its attributes)
// in memory before they report it, their own stack of open elements, and
// some (expat) every distinct element and attribute name for the whole
// document. Deeper nesting than kMaxXmlDepth makes the document be refused
// everywhere. What the parser holds is bounded as far as the platform lets
// it be counted:
//  - on Linux, expat gets its memory through a counting allocator that
//    refuses to go past kMaxXmlParserMemory; as its input buffer doubles,
//    that reads a tag's name or an attribute value up to 2 MiB less 191
//    bytes, a comment, an instruction or a tag's blanks up to 4 MiB less
//    about 200 bytes, and refuses 4 MiB of any;
//  - on Windows, MSXML's memory cannot be counted: a token longer than
//    kMaxXmlTokenLength is refused, by counting what the parser takes in
//    between two reports and by the lengths it reports.
// A CDATA section longer than kMaxXmlTokenLength is refused on both. No
// FritzBox export comes near any of these.
constexpr std::size_t kMaxXmlDepth = 256;
constexpr std::size_t kMaxXmlTokenLength = 1024 * 1024;
constexpr std::size_t kMaxXmlParserMemory = 8 * 1024 * 1024;

// What the parser tells of the document, in document order. Each returns
// false to stop the parse.
class XmlContentHandler {
public:
    // name is the element's name as written (with any prefix), UTF-8.
    virtual bool StartElement(std::string_view name) = 0;
    virtual bool EndElement() = 0;
    // Each attribute of the element just started, name as written, value
    // UTF-8 with its references resolved. The phonebook reader needs none.
    virtual bool Attribute(std::string_view /*name*/, std::string_view /*value*/) { return true; }
    // A piece of character data (text, CDATA, resolved references), in UTF-8
    // or UTF-16 as the parser has it; a UTF-16 surrogate pair may arrive in
    // two pieces.
    virtual bool Characters(std::string_view utf8) = 0;
    virtual bool Characters(std::u16string_view utf16) = 0;

protected:
    ~XmlContentHandler() = default;
};

// Parses the document input holds as a stream, reading blocks of blockSize.
// True when it was read to its end and is well-formed; false when it is not
// well-formed, names an encoding the parser does not read, has a DOCTYPE,
// nests deeper than kMaxXmlDepth, needs more memory than the bounds above
// allow, could not be read, or the handler stopped it. No
// external resource is ever loaded.
bool ParseXmlDocument(ByteSource& input, XmlContentHandler& handler, std::size_t blockSize);
