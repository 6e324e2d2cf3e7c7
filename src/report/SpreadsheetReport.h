#pragma once

#include "report/ReportXml.h"

#include <optional>
#include <string>
#include <vector>

namespace pestrol {

// The results as an XML spreadsheet (SpreadsheetML, saved as ".xls"): the existing report
// file or a built-in template, one current worksheet named after the pupil, two-cell rows
// appended to it, and the whole document written out on request.
//
// Several programs may share one report file. Saving to the report's own path therefore
// locks the file, reads it again, adds the rows this report has not yet saved there to the
// pupil's worksheet and replaces the file atomically; a damaged file found there is kept
// aside under a new name instead of being overwritten.
class SpreadsheetReport {
public:
    SpreadsheetReport(const std::wstring& path, const std::wstring& worksheetName);
    ~SpreadsheetReport();
    SpreadsheetReport(const SpreadsheetReport&) = delete;
    SpreadsheetReport& operator=(const SpreadsheetReport&) = delete;

    void AddRow(const std::wstring& label, const std::wstring& value, const std::wstring& type);
    void AddEmptyRow();

    // An empty path, or one naming the report's own file, saves there as described above.
    // Any other path gets the whole document, replacing what was there. The report's own
    // path never changes. Answers whether the file was written; the report stays usable.
    bool Save(const std::wstring& path = {});

    // Adds the unsaved rows to the report file at path as a save to the own path does: the
    // way to keep them when the own path cannot be written.
    bool SaveRowsTo(const std::wstring& path);

    const std::wstring& Path() const { return path_; }
    const std::wstring& WorksheetName() const { return worksheetName_; }
    const xercesc::DOMDocument& Document() const { return *document_; }
    // The pupil's worksheet in Document().
    const xercesc::DOMElement& Worksheet() const { return *worksheet_; }
    // Why the last failed save failed.
    const std::string& LastError() const { return lastError_; }

private:
    struct Row {
        std::wstring label, value, type;
    };

    xercesc::DOMDocument* LoadOrTemplate(const std::string& path);
    bool Merge(const std::string& path);
    bool WriteDocument(const xercesc::DOMDocument& document, const std::string& path);

    ReportXml xml_;
    xercesc::DOMDocument* document_ = nullptr;
    xercesc::DOMElement* worksheet_ = nullptr;
    std::wstring path_;
    std::wstring worksheetName_;
    std::vector<std::optional<Row>> unsaved_;
    std::string lastError_;
};

}  // namespace pestrol
