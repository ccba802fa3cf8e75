// The XML parser under the phonebook reader: the platform's own (expat on
// Linux, MSXML on Windows), one small file each. Everything above it, which
// elements count and how their text becomes records, is XmlContacts.
#pragma once

#include <cstddef>
#include <string_view>

#include "ByteSource.h"

// Parsers keep a whole markup token (a comment, a tag with its attributes)
// in memory before they report it, and their own stack of open elements:
// deeper nesting or a longer token makes the document be refused, so that
// memory stays bounded whatever the file holds. No FritzBox export comes
// near either.
constexpr std::size_t kMaxXmlDepth = 256;
constexpr std::size_t kMaxXmlTokenLength = 1024 * 1024;

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
// nests deeper than kMaxXmlDepth, holds a token longer than
// kMaxXmlTokenLength, could not be read, or the handler stopped it. No
// external resource is ever loaded.
bool ParseXmlDocument(ByteSource& input, XmlContentHandler& handler, std::size_t blockSize);
