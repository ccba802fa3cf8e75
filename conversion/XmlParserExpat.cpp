// The XML parser on Linux: expat, pushed one block at a time, its memory
// counted and capped (ExpatMemory.h).
#include <expat.h>

#include <cstdint>
#include <vector>

#include "ExpatMemory.h"
#include "XmlParser.h"

namespace {

class ExpatParse {
public:
    explicit ExpatParse(XmlContentHandler& handler)
        : m_handler(handler),
          m_memory(kMaxXmlParserMemory),
          m_parser(XML_ParserCreate_MM(nullptr, ExpatMemory::Suite(), nullptr))
    {
        if (!m_parser)
            return;
        XML_SetUserData(m_parser, this);
        XML_SetParamEntityParsing(m_parser, XML_PARAM_ENTITY_PARSING_NEVER);
        XML_SetElementHandler(m_parser, &ExpatParse::OnStart, &ExpatParse::OnEnd);
        XML_SetCharacterDataHandler(m_parser, &ExpatParse::OnCharacters);
        XML_SetCdataSectionHandler(m_parser, &ExpatParse::OnCdataStart, &ExpatParse::OnCdataEnd);
        // expat has no setting that refuses a DTD; stop at its start.
        XML_SetStartDoctypeDeclHandler(m_parser, &ExpatParse::OnDoctype);
    }
    ~ExpatParse()
    {
        if (m_parser)
            XML_ParserFree(m_parser);
    }
    ExpatParse(const ExpatParse&) = delete;
    ExpatParse& operator=(const ExpatParse&) = delete;

    bool Run(ByteSource& input, std::size_t blockSize)
    {
        if (!m_parser)
            return false;
        std::vector<char> block(blockSize);
        for (;;) {
            const std::ptrdiff_t got = input.Read(block.data(), block.size());
            if (got < 0)
                return false;
            const bool last = got == 0;
            // The first error ends the parse: expat does not keep to it, and
            // a later call may answer OK, the refused block lost.
            if (XML_Parse(m_parser, block.data(), static_cast<int>(got), last) != XML_STATUS_OK)
                return false;
            if (last)
                return true;
        }
    }

private:
    static ExpatParse& Of(void* userData) { return *static_cast<ExpatParse*>(userData); }

    void Go(bool go)
    {
        if (!go)
            XML_StopParser(m_parser, XML_FALSE);
    }

    static void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes)
    {
        ExpatParse& self = Of(data);
        bool go = self.m_handler.StartElement(name);
        for (const XML_Char** at = attributes; go && *at; at += 2)
            go = self.m_handler.Attribute(at[0], at[1]);
        self.Go(go);
    }
    static void XMLCALL OnEnd(void* data, const XML_Char*)
    {
        ExpatParse& self = Of(data);
        self.Go(self.m_handler.EndElement());
    }
    static void XMLCALL OnCharacters(void* data, const XML_Char* text, int length)
    {
        ExpatParse& self = Of(data);
        self.Go(self.m_handler.Characters(std::string_view(text, static_cast<std::size_t>(length))));
    }
    static void XMLCALL OnCdataStart(void* data)
    {
        ExpatParse& self = Of(data);
        self.m_cdataStart = static_cast<std::uint64_t>(XML_GetCurrentByteIndex(self.m_parser));
    }
    // expat hands a CDATA section on in pieces, keeping none of it, but it is
    // one token: held whole by other parsers, and so refused past
    // kMaxXmlTokenLength here too.
    static void XMLCALL OnCdataEnd(void* data)
    {
        ExpatParse& self = Of(data);
        self.Go(static_cast<std::uint64_t>(XML_GetCurrentByteIndex(self.m_parser)) - self.m_cdataStart <=
                kMaxXmlTokenLength);
    }
    static void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        Of(data).Go(false);
    }

    XmlContentHandler& m_handler;
    ExpatMemory m_memory;  // made before the parser, freed after it
    XML_Parser m_parser;
    std::uint64_t m_cdataStart = 0;
};

}  // namespace

bool ParseXmlDocument(ByteSource& input, XmlContentHandler& handler, std::size_t blockSize)
{
    ExpatParse parse(handler);
    return parse.Run(input, blockSize);
}
