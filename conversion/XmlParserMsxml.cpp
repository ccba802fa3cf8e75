// The XML parser on Windows: the SAX reader of MSXML 6, which pulls the
// document from a stream of ours around the input and reports to handlers
// of ours, all in one object that lives for the one parse.
#include <windows.h>
#include <msxml2.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <string_view>

#include "TextEncoding.h"
#include "XmlParser.h"

namespace {

// mingw-w64's msxml2.h declares these but no library defines them.
constexpr CLSID kSaxXmlReader60 = {0x88d96a0c, 0xf192, 0x11d4, {0xa6, 0x5f, 0x00, 0x40, 0x96, 0x32, 0x51, 0xe5}};
constexpr IID kIidSaxXmlReader = {0xa4f96ed0, 0xf829, 0x476e, {0x81, 0xc0, 0xcd, 0xc7, 0xbd, 0x2a, 0x08, 0x02}};
constexpr IID kIidSaxContentHandler = {0x1545cdfa, 0x9e4e, 0x4497, {0xa8, 0xa4, 0x2b, 0xf7, 0xd0, 0x11, 0x2c, 0x44}};
constexpr IID kIidSaxLexicalHandler = {0x7f85d5f5, 0x47a8, 0x4497, {0xbd, 0xa5, 0x84, 0xba, 0x04, 0x81, 0x9e, 0xa6}};
constexpr IID kIidSaxErrorHandler = {0xa60511c4, 0xccf5, 0x479e, {0x98, 0xa3, 0xdc, 0x8d, 0xc5, 0x45, 0xb7, 0xd0}};

// A parser that keeps asking once it has been told the input ended gets an
// error after these many answers, never an endless loop.
constexpr int kReadsPastEnd = 4;

class MsxmlParse final : public IStream,
                         public ISAXContentHandler,
                         public ISAXLexicalHandler,
                         public ISAXErrorHandler {
public:
    MsxmlParse(ByteSource& input, XmlContentHandler& handler, std::size_t blockSize)
        : m_input(input),
          m_handler(handler),
          // A read is never larger than a token may be.
          m_blockSize(static_cast<ULONG>(std::clamp<std::size_t>(blockSize, 1, kMaxXmlTokenLength)))
    {
    }

    bool Run()
    {
        ISAXXMLReader* reader = nullptr;
        if (FAILED(CoCreateInstance(kSaxXmlReader60, nullptr, CLSCTX_INPROC_SERVER, kIidSaxXmlReader,
                                    reinterpret_cast<void**>(&reader))))
            return false;
        Configure(*reader);
        VARIANT document{};
        V_VT(&document) = VT_UNKNOWN;
        V_UNKNOWN(&document) = static_cast<IStream*>(this);
        const HRESULT parsed = reader->parse(document);
        // The reader lets go of this object's interfaces here, before it ends.
        reader->Release();
        if (m_exception)
            std::rethrow_exception(m_exception);
        // The document must have been read to its end, and its elements all
        // closed, whatever the parser makes of a document cut short.
        return SUCCEEDED(parsed) && !m_failed && m_atEnd && m_sawElement && m_depth == 0;
    }

    // IUnknown: the object lives on the stack for the parse, so counting
    // references would tell nothing.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(ISequentialStream) || iid == __uuidof(IStream))
            *object = static_cast<IStream*>(this);
        else if (iid == kIidSaxContentHandler)
            *object = static_cast<ISAXContentHandler*>(this);
        else if (iid == kIidSaxLexicalHandler)
            *object = static_cast<ISAXLexicalHandler*>(this);
        else if (iid == kIidSaxErrorHandler)
            *object = static_cast<ISAXErrorHandler*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // ISequentialStream: the input, at most blockSize bytes at a time; S_OK
    // while there are bytes, then S_FALSE with none.
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override
    {
        if (read)
            *read = 0;
        if (m_failed)
            return E_FAIL;
        if (m_atEnd)
            return ++m_readsPastEnd > kReadsPastEnd ? Fail() : S_FALSE;
        // More than a token's length taken in without a report: the parser is
        // holding one token that long.
        if (m_handedOut - m_reported > kMaxXmlTokenLength)
            return Fail();
        // Filled as far as asked, whatever pieces the input comes in: the
        // parser needs to see a byte-order mark whole.
        const ULONG wanted = std::min(size, m_blockSize);
        ULONG filled = 0;
        while (filled < wanted && !m_atEnd) {
            const std::ptrdiff_t got = m_input.Read(static_cast<char*>(buffer) + filled, wanted - filled);
            if (got < 0)
                return Fail();
            m_atEnd = got == 0;
            filled += static_cast<ULONG>(got);
        }
        m_handedOut += filled;
        if (read)
            *read = filled;
        return filled > 0 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }

    // IStream: nothing but reading in order.
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

    // ISAXContentHandler
    HRESULT STDMETHODCALLTYPE putDocumentLocator(ISAXLocator*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE startDocument() override { return Noted(); }
    HRESULT STDMETHODCALLTYPE endDocument() override { return Noted(); }
    HRESULT STDMETHODCALLTYPE startPrefixMapping(const wchar_t*, int, const wchar_t*, int) override { return Noted(); }
    HRESULT STDMETHODCALLTYPE endPrefixMapping(const wchar_t*, int) override { return Noted(); }
    HRESULT STDMETHODCALLTYPE startElement(const wchar_t*, int, const wchar_t*, int, const wchar_t* name,
                                           int nameLength, ISAXAttributes* attributes) override
    {
        m_sawElement = true;
        ++m_depth;
        m_cdataLength = 0;
        if (TagLength(nameLength, attributes) > kMaxXmlTokenLength)
            return Fail();
        return Go([&] {
            return m_handler.StartElement(WideToUtf8(std::wstring_view(name, Count(nameLength)))) &&
                   ReportAttributes(attributes);
        });
    }
    HRESULT STDMETHODCALLTYPE endElement(const wchar_t*, int, const wchar_t*, int, const wchar_t*, int) override
    {
        --m_depth;
        m_cdataLength = 0;
        return Go([&] { return m_handler.EndElement(); });
    }
    HRESULT STDMETHODCALLTYPE characters(const wchar_t* text, int length) override
    {
        // A CDATA section is one token, however the parser hands it on.
        m_cdataLength = m_inCdata ? m_cdataLength + Count(length) : 0;
        if (m_cdataLength > kMaxXmlTokenLength)
            return Fail();
        return Go([&] {
            return m_handler.Characters(std::u16string_view(reinterpret_cast<const char16_t*>(text), Count(length)));
        });
    }
    HRESULT STDMETHODCALLTYPE ignorableWhitespace(const wchar_t* text, int length) override
    {
        return characters(text, length);
    }
    HRESULT STDMETHODCALLTYPE processingInstruction(const wchar_t*, int targetLength, const wchar_t*,
                                                    int dataLength) override
    {
        return Count(targetLength) + Count(dataLength) > kMaxXmlTokenLength ? Fail() : Noted();
    }
    // Only an entity declared in a DTD can be skipped, and a DTD is refused.
    HRESULT STDMETHODCALLTYPE skippedEntity(const wchar_t*, int) override { return Fail(); }

    // ISAXLexicalHandler: the rest of the document, noted for the token cap.
    HRESULT STDMETHODCALLTYPE startDTD(const wchar_t*, int, const wchar_t*, int, const wchar_t*, int) override
    {
        return Fail();
    }
    HRESULT STDMETHODCALLTYPE endDTD() override { return Fail(); }
    HRESULT STDMETHODCALLTYPE startEntity(const wchar_t*, int) override { return Noted(); }
    HRESULT STDMETHODCALLTYPE endEntity(const wchar_t*, int) override { return Noted(); }
    HRESULT STDMETHODCALLTYPE startCDATA() override
    {
        m_inCdata = true;
        return Noted();
    }
    HRESULT STDMETHODCALLTYPE endCDATA() override
    {
        m_inCdata = false;
        return Noted();
    }
    HRESULT STDMETHODCALLTYPE comment(const wchar_t*, int length) override
    {
        return Count(length) > kMaxXmlTokenLength ? Fail() : Noted();
    }

    // ISAXErrorHandler: any error refuses the document.
    HRESULT STDMETHODCALLTYPE error(ISAXLocator*, const wchar_t*, HRESULT) override { return Fail(); }
    HRESULT STDMETHODCALLTYPE fatalError(ISAXLocator*, const wchar_t*, HRESULT) override { return Fail(); }
    HRESULT STDMETHODCALLTYPE ignorableWarning(ISAXLocator*, const wchar_t*, HRESULT) override { return S_OK; }

private:
    void Configure(ISAXXMLReader& reader)
    {
        // MSXML 6 already refuses DTDs and external entities; said again in
        // case a later version changes its mind. Names are taken as written,
        // with any prefix, as on the other platform.
        reader.putFeature(L"prohibit-dtd", VARIANT_TRUE);
        reader.putFeature(L"http://xml.org/sax/features/external-general-entities", VARIANT_FALSE);
        reader.putFeature(L"http://xml.org/sax/features/external-parameter-entities", VARIANT_FALSE);
        reader.putFeature(L"http://xml.org/sax/features/namespaces", VARIANT_FALSE);
        // One level deeper than the rule allows, so that the shared rule
        // decides, and the same way everywhere.
        VARIANT depth{};
        V_VT(&depth) = VT_I4;
        V_I4(&depth) = static_cast<LONG>(kMaxXmlDepth + 1);
        reader.putProperty(L"max-element-depth", depth);
        reader.putContentHandler(this);
        reader.putErrorHandler(this);
        VARIANT lexical{};
        V_VT(&lexical) = VT_UNKNOWN;
        V_UNKNOWN(&lexical) = static_cast<ISAXLexicalHandler*>(this);
        reader.putProperty(L"http://xml.org/sax/properties/lexical-handler", lexical);
    }

    static std::size_t Count(int length) { return length > 0 ? static_cast<std::size_t>(length) : 0; }

    // A tag's name and attributes in characters, as far as the parser tells.
    static std::size_t TagLength(int nameLength, ISAXAttributes* attributes)
    {
        std::size_t length = Count(nameLength);
        int count = 0;
        if (!attributes || FAILED(attributes->getLength(&count)))
            return length;
        for (int i = 0; i < count; ++i) {
            const wchar_t* text = nullptr;
            int textLength = 0;
            if (SUCCEEDED(attributes->getQName(i, &text, &textLength)))
                length += Count(textLength);
            if (SUCCEEDED(attributes->getValue(i, &text, &textLength)))
                length += Count(textLength);
        }
        return length;
    }

    bool ReportAttributes(ISAXAttributes* attributes)
    {
        int count = 0;
        if (!attributes || FAILED(attributes->getLength(&count)))
            return true;
        for (int i = 0; i < count; ++i) {
            const wchar_t* name = nullptr;
            const wchar_t* value = nullptr;
            int nameLength = 0;
            int valueLength = 0;
            if (FAILED(attributes->getQName(i, &name, &nameLength)) ||
                FAILED(attributes->getValue(i, &value, &valueLength)))
                return false;
            if (!m_handler.Attribute(WideToUtf8(std::wstring_view(name, Count(nameLength))),
                                     WideToUtf8(std::wstring_view(value, Count(valueLength)))))
                return false;
        }
        return true;
    }

    // Whatever the parser reports ends the token in the making.
    HRESULT Noted()
    {
        m_reported = m_handedOut;
        return S_OK;
    }

    HRESULT Fail()
    {
        m_failed = true;
        return E_FAIL;
    }

    // Hands a report on; an exception waits until the parser has returned,
    // as it cannot pass through the parser's code.
    template <typename Report>
    HRESULT Go(Report report)
    {
        Noted();
        try {
            return report() ? S_OK : Fail();
        } catch (...) {
            m_exception = std::current_exception();
            return Fail();
        }
    }

    ByteSource& m_input;
    XmlContentHandler& m_handler;
    const ULONG m_blockSize;
    std::uint64_t m_handedOut = 0;
    std::uint64_t m_reported = 0;
    bool m_atEnd = false;
    int m_readsPastEnd = 0;
    bool m_failed = false;
    bool m_sawElement = false;
    // The CDATA sections since the last element tag or other text: a parser
    // may hand one section on as several (Wine's reports its first few
    // hundred characters as a section of their own).
    bool m_inCdata = false;
    std::size_t m_cdataLength = 0;
    long m_depth = 0;
    std::exception_ptr m_exception;
};

}  // namespace

bool ParseXmlDocument(ByteSource& input, XmlContentHandler& handler, std::size_t blockSize)
{
    // COM for this thread, unless the thread has it already; a thread that
    // has it in the other threading model serves as well, the reader being
    // at home in both.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(com) && com != RPC_E_CHANGED_MODE)
        return false;
    bool parsed = false;
    try {
        MsxmlParse parse(input, handler, blockSize);
        parsed = parse.Run();
    } catch (...) {
        if (SUCCEEDED(com))
            CoUninitialize();
        throw;
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return parsed;
}
