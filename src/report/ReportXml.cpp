#include "report/ReportXml.h"

#include "platform/Utf8.h"

#include <xercesc/framework/MemBufFormatTarget.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/HandlerBase.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>

#include <cstdint>
#include <memory>

namespace pestrol {

using namespace xercesc;

namespace {

std::string Message(const XMLCh* text)
{
    return ToUtf8(FromXml(text));
}

// Turns every error into an exception, so that a damaged file stops the parse at once.
class ThrowingErrorHandler : public HandlerBase {
public:
    void error(const SAXParseException& e) override { throw e; }
};

std::unique_ptr<XercesDOMParser> MakeParser(ErrorHandler& errors, SecurityManager& security)
{
    auto parser = std::make_unique<XercesDOMParser>();
    parser->setErrorHandler(&errors);
    parser->setLoadExternalDTD(false);
    parser->setDisableDefaultEntityResolution(true);
    parser->setSecurityManager(&security);
    return parser;
}

}  // namespace

ReportXml::ReportXml()
{
    XMLPlatformUtils::Initialize("en_US");
}

ReportXml::~ReportXml()
{
    XMLPlatformUtils::Terminate();
}

std::u16string ToXml(std::wstring_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (wchar_t w : text) {
        const auto c = static_cast<std::uint32_t>(w);
        if (c < 0x10000) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
    }
    return out;
}

std::wstring FromXml(const XMLCh* text)
{
    std::wstring out;
    for (; text != nullptr && *text != 0; ++text) {
        const char32_t c = *text;
        const char32_t next = text[1];
        if (c >= 0xD800 && c < 0xDC00 && next >= 0xDC00 && next < 0xE000) {
            out.push_back(static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00)));
            ++text;
        } else {
            out.push_back(static_cast<wchar_t>(c));
        }
    }
    return out;
}

DOMDocument* ParseXml(std::string_view bytes, const std::string& systemId, std::string& error)
{
    ThrowingErrorHandler errors;
    SecurityManager security;
    const auto parser = MakeParser(errors, security);
    const MemBufInputSource source(reinterpret_cast<const XMLByte*>(bytes.data()), bytes.size(),
        systemId.c_str());
    try {
        parser->parse(source);
        return parser->adoptDocument();
    } catch (const SAXParseException& e) {
        error = "line " + std::to_string(e.getLineNumber()) + ": " + Message(e.getMessage());
    } catch (const XMLException& e) {
        error = Message(e.getMessage());
    } catch (const DOMException& e) {
        error = Message(e.getMessage());
    } catch (const OutOfMemoryException&) {
        error = "out of memory";
    }
    return nullptr;
}

bool SerializeXml(const DOMDocument& document, std::string& bytes, std::string& error)
{
    static const XMLCh kFeatures[] = u"LS";
    DOMImplementation* implementation = DOMImplementationRegistry::getDOMImplementation(kFeatures);
    const std::unique_ptr<DOMLSSerializer, void (*)(DOMLSSerializer*)> serializer(
        implementation->createLSSerializer(), [](DOMLSSerializer* s) { s->release(); });
    const std::unique_ptr<DOMLSOutput, void (*)(DOMLSOutput*)> output(
        implementation->createLSOutput(), [](DOMLSOutput* o) { o->release(); });
    MemBufFormatTarget target;
    output->setByteStream(&target);
    output->setEncoding(u"UTF-8");
    try {
        if (!serializer->write(&document, output.get())) {
            error = "the document could not be written out";
            return false;
        }
    } catch (const XMLException& e) {
        error = Message(e.getMessage());
        return false;
    } catch (const DOMException& e) {
        error = Message(e.getMessage());
        return false;
    } catch (const OutOfMemoryException&) {
        error = "out of memory";
        return false;
    }
    bytes.assign(reinterpret_cast<const char*>(target.getRawBuffer()), target.getLen());
    return true;
}

}  // namespace pestrol
