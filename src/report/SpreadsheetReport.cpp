#include "report/SpreadsheetReport.h"

#include "report/ReportFile.h"
#include "report/ReportText.h"

#include <filesystem>
#include <memory>
#include <span>
#include <string_view>

namespace pestrol {

using namespace xercesc;

namespace {

// Between every two tags of the template stands this run; inside the workbook the runs
// are text nodes and are written back on every save.
constexpr std::string_view kRun = "\t\t\t\t\t\t\t ";

constexpr std::string_view kTemplateTags[] = {
    R"(<?xml version="1.0"?>)",
    R"(<?mso-application progid="Excel.Sheet"?>)",
    R"(<Workbook xmlns="urn:schemas-microsoft-com:office:spreadsheet")"
    R"( xmlns:o="urn:schemas-microsoft-com:office:office")"
    R"( xmlns:x="urn:schemas-microsoft-com:office:excel")"
    R"( xmlns:ss="urn:schemas-microsoft-com:office:spreadsheet")"
    R"( xmlns:html="http://www.w3.org/TR/REC-html40">)",
    R"(<DocumentProperties xmlns="urn:schemas-microsoft-com:office:office">)",
    R"(<Version>11.6360</Version>)",
    R"(</DocumentProperties>)",
    R"(<ExcelWorkbook xmlns="urn:schemas-microsoft-com:office:excel">)",
    R"(<WindowHeight>10005</WindowHeight>)",
    R"(<WindowWidth>10005</WindowWidth>)",
    R"(<WindowTopX>120</WindowTopX>)",
    R"(<WindowTopY>135</WindowTopY>)",
    R"(<ProtectStructure>False</ProtectStructure>)",
    R"(<ProtectWindows>False</ProtectWindows>)",
    R"(</ExcelWorkbook>)",
    R"(<Styles>)",
    R"(<Style ss:ID="Default" ss:Name="Normal">)",
    R"(<Alignment ss:Vertical="Bottom"/>)",
    R"(<Borders/>)",
    R"(<Font ss:FontName="Arial Cyr" x:CharSet="204"/>)",
    R"(<Interior/>)",
    R"(<NumberFormat/>)",
    R"(<Protection/>)",
    R"(</Style>)",
    R"(<Style ss:ID="s21">)",
    R"(<NumberFormat ss:Format="Short Date"/>)",
    R"(</Style>)",
    R"(<Style ss:ID="s22">)",
    R"(<NumberFormat ss:Format="Short Time"/>)",
    R"(</Style>)",
    R"(</Styles>)",
    R"(</Workbook>)",
};

std::string TemplateText()
{
    std::string text(kTemplateTags[0]);
    for (std::string_view tag : std::span(kTemplateTags).subspan(1)) {
        text += kRun;
        text += tag;
    }
    return text;
}

using DocumentPtr = std::unique_ptr<DOMDocument, void (*)(DOMDocument*)>;

DocumentPtr Owned(DOMDocument* document)
{
    return DocumentPtr(document, [](DOMDocument* d) {
        if (d != nullptr)
            d->release();
    });
}

DOMDocument* ParseTemplate()
{
    std::string error;
    return ParseXml(TemplateText(), "EmptyXML", error);
}

bool IsWorkbook(const DOMDocument* document)
{
    const DOMElement* root = document->getDocumentElement();
    return root != nullptr && std::u16string_view(root->getTagName()) == u"Workbook";
}

// A parsed file that is no spreadsheet is as unusable as one that does not parse.
DOMDocument* ParseReport(const std::string& bytes, const std::string& path, std::string& error)
{
    DocumentPtr document = Owned(ParseXml(bytes, path, error));
    if (document && !IsWorkbook(document.get())) {
        error = "its root element is not Workbook";
        document.reset();
    }
    return document.release();
}

DOMElement* FirstElement(DOMElement* parent, const XMLCh* name)
{
    DOMNodeList* found = parent->getElementsByTagName(name);
    return found->getLength() > 0 ? static_cast<DOMElement*>(found->item(0)) : nullptr;
}

DOMElement* FindWorksheet(DOMDocument* document, const std::u16string& sheetName)
{
    DOMNodeList* sheets = document->getDocumentElement()->getElementsByTagName(u"Worksheet");
    // The list counts by walking the whole document: once, not per step.
    const XMLSize_t count = sheets->getLength();
    for (XMLSize_t i = 0; i < count; ++i) {
        auto* sheet = static_cast<DOMElement*>(sheets->item(i));
        if (sheet->getAttribute(u"ss:Name") == sheetName)
            return sheet;
    }
    return nullptr;
}

DOMElement* AppendElement(DOMElement* parent, const XMLCh* name)
{
    DOMElement* element = parent->getOwnerDocument()->createElement(name);
    parent->appendChild(element);
    return element;
}

void AppendColumn(DOMElement* table, const XMLCh* width)
{
    DOMElement* column = AppendElement(table, u"Column");
    column->setAttribute(u"ss:AutoFitWidth", u"0");
    column->setAttribute(u"ss:Width", width);
}

DOMElement* CreateWorksheet(DOMDocument* document, const std::u16string& sheetName)
{
    DOMElement* sheet = AppendElement(document->getDocumentElement(), u"Worksheet");
    sheet->setAttribute(u"ss:Name", sheetName.c_str());
    DOMElement* table = AppendElement(sheet, u"Table");
    AppendColumn(table, u"240");
    AppendColumn(table, u"96");
    return sheet;
}

DOMElement* FindOrCreateWorksheet(DOMDocument* document, const std::u16string& sheetName)
{
    DOMElement* sheet = FindWorksheet(document, sheetName);
    return sheet != nullptr ? sheet : CreateWorksheet(document, sheetName);
}

DOMElement* FindOrCreateTable(DOMElement* worksheet)
{
    DOMElement* table = FirstElement(worksheet, u"Table");
    return table != nullptr ? table : AppendElement(worksheet, u"Table");
}

void AppendCell(DOMElement* row, const std::wstring& type, const std::wstring& text)
{
    DOMElement* data = AppendElement(AppendElement(row, u"Cell"), u"Data");
    data->setAttribute(u"ss:Type", ToXml(ReportText(type)).c_str());
    data->appendChild(data->getOwnerDocument()->createTextNode(ToXml(ReportText(text)).c_str()));
}

template <typename RowType>
void AppendRow(DOMElement* worksheet, const std::optional<RowType>& row)
{
    DOMElement* element = AppendElement(FindOrCreateTable(worksheet), u"Row");
    if (!row)
        return;
    AppendCell(element, L"String", row->label);
    AppendCell(element, row->type, row->value);
}

bool SameFile(const std::string& a, const std::string& b)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::equivalent(a, b, error))
        return true;
    return fs::absolute(a, error).lexically_normal() == fs::absolute(b, error).lexically_normal();
}

std::u16string SheetNameXml(const std::wstring& worksheetName)
{
    return ToXml(SheetName(worksheetName));
}

}  // namespace

SpreadsheetReport::SpreadsheetReport(const std::wstring& path, const std::wstring& worksheetName)
    : path_(path)
    , worksheetName_(worksheetName)
{
    document_ = LoadOrTemplate(ReportPath(path_));
    worksheet_ = FindOrCreateWorksheet(document_, SheetNameXml(worksheetName_));
}

SpreadsheetReport::~SpreadsheetReport()
{
    document_->release();
}

void SpreadsheetReport::AddRow(
    const std::wstring& label, const std::wstring& value, const std::wstring& type)
{
    unsaved_.push_back(Row { label, value, type });
    AppendRow(worksheet_, unsaved_.back());
}

void SpreadsheetReport::AddEmptyRow()
{
    unsaved_.emplace_back();
    AppendRow(worksheet_, unsaved_.back());
}

bool SpreadsheetReport::Save(const std::wstring& path)
{
    const std::string own = ReportPath(path_);
    if (path.empty() || SameFile(ReportPath(path), own))
        return Merge(own);
    return WriteDocument(*document_, ReportPath(path));
}

bool SpreadsheetReport::SaveRowsTo(const std::wstring& path)
{
    return Merge(ReportPath(path));
}

DOMDocument* SpreadsheetReport::LoadOrTemplate(const std::string& path)
{
    const ReportFileContents contents = ReadReportFile(path);
    if (contents.status == ReportFileContents::Status::Missing)
        return ParseTemplate();
    std::string error = contents.error;
    if (contents.status == ReportFileContents::Status::Read) {
        if (DOMDocument* document = ParseReport(contents.bytes, path, error))
            return document;
    }
    ReportWarning("the report file " + path + " cannot be used (" + error
        + "); this run starts a new report, and the file is kept under another name when "
          "the report is saved");
    return ParseTemplate();
}

bool SpreadsheetReport::Merge(const std::string& path)
{
    const ReportFileLock lock(path);
    if (!lock.Held())
        ReportWarning(lock.Error() + "; saving without the lock");
    const ReportFileContents contents = ReadReportFile(path);
    std::string error = contents.error;
    DocumentPtr target = Owned(contents.status == ReportFileContents::Status::Read
            ? ParseReport(contents.bytes, path, error)
            : nullptr);
    if (!target && contents.status != ReportFileContents::Status::Missing) {
        const auto aside = KeepAside(path, lastError_);
        if (!aside)
            return false;
        ReportWarning("the report file " + path + " cannot be used (" + error + "); it is kept as "
            + *aside + " and a new report is written in its place");
    }
    if (!target)
        target = Owned(ParseTemplate());
    const std::u16string sheetName = SheetNameXml(worksheetName_);
    DOMElement* sheet = FindWorksheet(target.get(), sheetName);
    if (sheet != nullptr && unsaved_.empty())
        return true;
    if (sheet == nullptr)
        sheet = CreateWorksheet(target.get(), sheetName);
    for (const auto& row : unsaved_)
        AppendRow(sheet, row);
    if (!WriteDocument(*target, path))
        return false;
    unsaved_.clear();
    return true;
}

bool SpreadsheetReport::WriteDocument(const DOMDocument& document, const std::string& path)
{
    std::string bytes;
    return SerializeXml(document, bytes, lastError_)
        && WriteFileAtomically(path, bytes, lastError_);
}

}  // namespace pestrol
