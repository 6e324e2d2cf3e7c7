#pragma once

#include <xercesc/dom/DOM.hpp>

#include <string>
#include <string_view>

namespace pestrol {

// Keeps the XML library initialised while it lives; the library counts initialisations,
// so several reports may hold one each.
class ReportXml {
public:
    ReportXml();
    ~ReportXml();
    ReportXml(const ReportXml&) = delete;
    ReportXml& operator=(const ReportXml&) = delete;
};

std::u16string ToXml(std::wstring_view text);
std::wstring FromXml(const XMLCh* text);

// Parses a document without namespaces, keeping whitespace text, and without reaching for
// external DTDs or entities or expanding entities without limit: a report file is
// untrusted input. Answers a document the caller releases, or null with the reason.
xercesc::DOMDocument* ParseXml(std::string_view bytes, const std::string& systemId,
    std::string& error);

// The whole document through the library's serializer with its default settings, in UTF-8.
bool SerializeXml(const xercesc::DOMDocument& document, std::string& bytes, std::string& error);

}  // namespace pestrol
