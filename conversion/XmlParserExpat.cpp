// The XML parser on Linux: expat, pushed one block at a time.
#include <expat.h>

#include <memory>
#include <vector>

#include "XmlParser.h"

namespace {

class ExpatParse {
public:
    explicit ExpatParse(XmlContentHandler& handler) : m_handler(handler), m_parser(XML_ParserCreate(nullptr))
    {
        if (!m_parser)
            return;
        XML_SetUserData(m_parser, this);
        XML_SetParamEntityParsing(m_parser, XML_PARAM_ENTITY_PARSING_NEVER);
        XML_SetElementHandler(m_parser, &ExpatParse::OnStart, &ExpatParse::OnEnd);
        XML_SetCharacterDataHandler(m_parser, &ExpatParse::OnCharacters);
        // Everything else is only noted, so that the length of every token
        // between two reports is known.
        XML_SetCommentHandler(m_parser, &ExpatParse::OnComment);
        XML_SetProcessingInstructionHandler(m_parser, &ExpatParse::OnProcessingInstruction);
        XML_SetCdataSectionHandler(m_parser, &ExpatParse::OnCdataStart, &ExpatParse::OnCdataEnd);
        XML_SetXmlDeclHandler(m_parser, &ExpatParse::OnXmlDecl);
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
            if (XML_Parse(m_parser, block.data(), static_cast<int>(got), last) != XML_STATUS_OK)
                return false;
            if (last)
                return true;
            m_fed += static_cast<std::uint64_t>(got);
            // What expat holds unreported is one token in the making.
            if (m_fed - m_reported > kMaxXmlTokenLength)
                return false;
        }
    }

private:
    static ExpatParse& Of(void* userData) { return *static_cast<ExpatParse*>(userData); }

    // Where the event being reported starts: what comes before is reported.
    void Note() { m_reported = static_cast<std::uint64_t>(XML_GetCurrentByteIndex(m_parser)); }
    void Go(bool go)
    {
        Note();
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
    static void XMLCALL OnComment(void* data, const XML_Char*) { Of(data).Note(); }
    static void XMLCALL OnProcessingInstruction(void* data, const XML_Char*, const XML_Char*) { Of(data).Note(); }
    static void XMLCALL OnCdataStart(void* data)
    {
        ExpatParse& self = Of(data);
        self.m_cdataStart = static_cast<std::uint64_t>(XML_GetCurrentByteIndex(self.m_parser));
        self.Note();
    }
    // expat hands a CDATA section on in pieces, but it is one token: held
    // whole by other parsers, and so refused past the cap here too.
    static void XMLCALL OnCdataEnd(void* data)
    {
        ExpatParse& self = Of(data);
        self.Go(static_cast<std::uint64_t>(XML_GetCurrentByteIndex(self.m_parser)) - self.m_cdataStart <=
                kMaxXmlTokenLength);
    }
    static void XMLCALL OnXmlDecl(void* data, const XML_Char*, const XML_Char*, int) { Of(data).Note(); }
    static void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        Of(data).Go(false);
    }

    XmlContentHandler& m_handler;
    XML_Parser m_parser;
    std::uint64_t m_fed = 0;
    std::uint64_t m_reported = 0;
    std::uint64_t m_cdataStart = 0;
};

}  // namespace

bool ParseXmlDocument(ByteSource& input, XmlContentHandler& handler, std::size_t blockSize)
{
    ExpatParse parse(handler);
    return parse.Run(input, blockSize);
}
