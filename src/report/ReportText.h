#pragma once

#include <string>
#include <string_view>

namespace pestrol {

// Text bound for the report document: every character is kept, except that a double quote
// becomes an apostrophe and a character XML 1.0 cannot hold (most control characters,
// surrogates, U+FFFE, U+FFFF, values beyond U+10FFFF) becomes U+FFFD, so that a saved
// report always reads back.
std::wstring ReportText(std::wstring_view text);

// A report path as the file system takes it: UTF-8, a double quote turned into an
// apostrophe as in the document's texts.
std::string ReportPath(std::wstring_view path);

// The name a worksheet carries for the pupil's name. Spreadsheet programs refuse the
// characters : \ / ? * [ ], an apostrophe at either end, control characters and names of
// more than 31 UTF-16 units as sheet names. A name free of them is kept as typed. Any other
// name has each refused character replaced by "_", is cut to 24 units and gets "~" and six
// hexadecimal digits of a hash of the typed name, so that two different typed names still
// name two different worksheets and the same typed name always finds its own.
std::wstring SheetName(std::wstring_view pupilName);

}  // namespace pestrol
