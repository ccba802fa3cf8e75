// The reader of phonebook backups in XML: the platform's parser under the
// shared checks of the prolog (XmlPrologGuard) and the contact rule
// (XmlContacts).
#include "PhonebookReader.h"
#include "XmlContacts.h"
#include "XmlParser.h"
#include "XmlPrologGuard.h"

namespace {

class XmlReader final : public PhonebookReader {
public:
    XmlReader(std::size_t blockSize, const CallingCode& ownCountry)
        : m_blockSize(blockSize), m_ownCountry(ownCountry)
    {
    }

    ConversionStatus Convert(ByteSource& input, RecordSink& out) override
    {
        XmlPrologGuard guarded(input);
        XmlContacts contacts(out, m_ownCountry);
        const bool parsed = ParseXmlDocument(guarded, contacts, m_blockSize);
        m_recordCount = contacts.RecordCount();
        if (contacts.Status() != ConversionStatus::Ok)
            return contacts.Status();
        return parsed ? ConversionStatus::Ok : ConversionStatus::InputReadFailed;
    }

    std::int64_t RecordCount() const override { return m_recordCount; }

private:
    const std::size_t m_blockSize;
    const CallingCode& m_ownCountry;
    std::int64_t m_recordCount = 0;
};

}  // namespace

std::unique_ptr<PhonebookReader> MakeXmlReader(std::size_t blockSize, const CallingCode& ownCountry)
{
    return std::make_unique<XmlReader>(blockSize, ownCountry);
}
