#include "report/ReportTestSupport.h"

#include "report/ReportXml.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace pestrol::test {

namespace fs = std::filesystem;
using namespace xercesc;

TempFolder::TempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "pestrol-report-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
}

TempFolder::~TempFolder()
{
    std::error_code error;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
}

ScopedEnvironment::ScopedEnvironment(const char* name, const char* value)
    : name_(name)
{
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    old_ = had_ ? old : "";
    if (value != nullptr)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
}

ScopedEnvironment::~ScopedEnvironment()
{
    if (had_)
        ::setenv(name_.c_str(), old_.c_str(), 1);
    else
        ::unsetenv(name_.c_str());
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

std::vector<DOMElement*> Children(DOMElement* parent, std::u16string_view name)
{
    std::vector<DOMElement*> found;
    for (DOMElement* e = parent->getFirstElementChild(); e; e = e->getNextElementSibling()) {
        if (name == e->getTagName())
            found.push_back(e);
    }
    return found;
}

Rows TableRows(DOMElement* sheet)
{
    Rows rows;
    for (DOMElement* table : Children(sheet, u"Table")) {
        for (DOMElement* row : Children(table, u"Row")) {
            std::vector<std::wstring> cells;
            for (DOMElement* cell : Children(row, u"Cell"))
                cells.push_back(FromXml(cell->getTextContent()));
            rows.push_back(cells);
        }
    }
    return rows;
}

}  // namespace

std::map<std::wstring, Rows> SheetRows(const std::string& path)
{
    ReportXml xml;
    std::string error;
    DOMDocument* document = ParseXml(ReadBytes(path), path, error);
    std::map<std::wstring, Rows> sheets;
    if (document == nullptr)
        return sheets;
    DOMElement* root = document->getDocumentElement();
    if (std::u16string_view(u"Workbook") == root->getTagName()) {
        for (DOMElement* sheet : Children(root, u"Worksheet"))
            sheets[FromXml(sheet->getAttribute(u"ss:Name"))] = TableRows(sheet);
    }
    document->release();
    return sheets;
}

int RunInChild(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        // Nothing may unwind into the test runner of the child.
        try {
            ::_exit(body());
        } catch (...) {
            ::_exit(98);
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunUnprivileged(const std::function<int()>& body)
{
    return RunInChild([&] {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            return 99;
        return body();
    });
}

}  // namespace pestrol::test
