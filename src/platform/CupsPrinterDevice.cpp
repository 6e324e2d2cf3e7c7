#include "platform/CupsPrinterDevice.h"

#include "platform/Utf8.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <cups/cups.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace pestrol {
namespace {

constexpr double kPointsPerInch = 72;
constexpr double kMmPerInch = 25.4;
// Used when fontconfig names no size for the default face.
constexpr double kDefaultFontPoints = 12;

// The system's default sans face, with Cyrillic, as fontconfig resolves it.
cairo_font_face_t* DefaultSansFace(double& points)
{
    points = kDefaultFontPoints;
    FcPattern* query = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=ru"));
    FcConfigSubstitute(nullptr, query, FcMatchPattern);
    FcDefaultSubstitute(query);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, query, &result);
    FcPatternDestroy(query);
    if (match == nullptr)
        return cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL,
            CAIRO_FONT_WEIGHT_NORMAL);
    double size = 0;
    if (FcPatternGetDouble(match, FC_SIZE, 0, &size) == FcResultMatch && size > 0)
        points = size;
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(match);
    FcPatternDestroy(match);
    return face;
}

// The face's own average character width (OS/2 xAvgCharWidth), in font-matrix units.
double OwnAverageWidth(cairo_scaled_font_t* font, double size)
{
    FT_Face face = cairo_ft_scaled_font_lock_face(font);
    if (face == nullptr)
        return 0;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    double width = 0;
    if (os2 != nullptr && os2->xAvgCharWidth > 0 && face->units_per_EM > 0)
        width = size * os2->xAvgCharWidth / face->units_per_EM;
    cairo_ft_scaled_font_unlock_face(font);
    return width;
}

}  // namespace

// Device pixels are the user space: the font is sized in them, the page scales them to
// points.
struct CupsPrinterDevice::Font {
    cairo_scaled_font_t* scaled = nullptr;
    double ascent = 0;
    int lineHeight = 1;
    int averageWidth = 1;

    explicit Font(const PrintTarget& target)
    {
        double points = 0;
        cairo_font_face_t* face = DefaultSansFace(points);
        cairo_matrix_t size;
        cairo_matrix_init_scale(&size, points * target.xDpi / kPointsPerInch,
            points * target.yDpi / kPointsPerInch);
        cairo_matrix_t ctm;
        cairo_matrix_init_scale(&ctm, kPointsPerInch / target.xDpi,
            kPointsPerInch / target.yDpi);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        scaled = cairo_scaled_font_create(face, &size, &ctm, options);
        cairo_font_options_destroy(options);
        cairo_font_face_destroy(face);

        cairo_font_extents_t extents;
        cairo_scaled_font_extents(scaled, &extents);
        ascent = extents.ascent;
        lineHeight = std::max(1, static_cast<int>(std::ceil(extents.height)));
        double average = OwnAverageWidth(scaled, size.xx);
        if (average <= 0)
            average = Width("x");
        averageWidth = std::max(1, static_cast<int>(std::lround(average)));
    }
    ~Font() { cairo_scaled_font_destroy(scaled); }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    double Width(const std::string& utf8) const
    {
        cairo_text_extents_t extents;
        cairo_scaled_font_text_extents(scaled, utf8.c_str(), &extents);
        return extents.x_advance;
    }
};

// The PDF file of one job, removed once CUPS has it or the job is dropped.
struct CupsPrinterDevice::Document {
    std::string path;
    std::string jobName;
    cairo_surface_t* surface = nullptr;
    cairo_t* context = nullptr;

    ~Document()
    {
        Close();
        if (!path.empty())
            unlink(path.c_str());
    }

    bool Close()
    {
        if (context != nullptr)
            cairo_destroy(context);
        context = nullptr;
        if (surface == nullptr)
            return false;
        cairo_surface_finish(surface);
        bool written = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(surface);
        surface = nullptr;
        return written;
    }
};

namespace {

std::string TempPdfPath()
{
    const char* folder = std::getenv("TMPDIR");
    std::string path = std::string(folder != nullptr && *folder ? folder : "/tmp")
        + "/pestrol-print-XXXXXX.pdf";
    int fd = mkstemps(path.data(), 4);
    if (fd < 0)
        return {};
    close(fd);
    return path;
}

bool AcceptsJobs(const PrintTarget& target)
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, target.queue.c_str(),
        target.instance.empty() ? nullptr : target.instance.c_str());
    if (dest == nullptr)
        return false;
    const char* accepting
        = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    bool accepts = accepting == nullptr || std::strcmp(accepting, "false") != 0;
    cupsFreeDests(1, dest);
    return accepts;
}

}  // namespace

CupsPrinterDevice::CupsPrinterDevice(PrintTarget target)
    : m_target(std::move(target))
    , m_font(std::make_unique<Font>(m_target))
{
}

CupsPrinterDevice::~CupsPrinterDevice() = default;

int CupsPrinterDevice::PageWidth() const
{
    double printable = m_target.widthMm - m_target.leftMm - m_target.rightMm;
    return static_cast<int>(std::lround(printable / kMmPerInch * m_target.xDpi));
}

int CupsPrinterDevice::PageHeight() const
{
    double printable = m_target.heightMm - m_target.topMm - m_target.bottomMm;
    return static_cast<int>(std::lround(printable / kMmPerInch * m_target.yDpi));
}

int CupsPrinterDevice::LineHeight() const { return m_font->lineHeight; }

int CupsPrinterDevice::AverageCharWidth() const { return m_font->averageWidth; }

int CupsPrinterDevice::TextWidth(std::wstring_view text) const
{
    return static_cast<int>(std::lround(m_font->Width(ToUtf8(text))));
}

bool CupsPrinterDevice::StartDocument(const std::wstring& jobName)
{
    m_document.reset();
    if (!AcceptsJobs(m_target))
        return false;
    auto document = std::make_unique<Document>();
    document->path = TempPdfPath();
    if (document->path.empty())
        return false;
    document->jobName = ToUtf8(jobName);
    document->surface = cairo_pdf_surface_create(document->path.c_str(),
        m_target.widthMm / kMmPerInch * kPointsPerInch,
        m_target.heightMm / kMmPerInch * kPointsPerInch);
    document->context = cairo_create(document->surface);
    if (cairo_status(document->context) != CAIRO_STATUS_SUCCESS)
        return false;
    cairo_translate(document->context, m_target.leftMm / kMmPerInch * kPointsPerInch,
        m_target.topMm / kMmPerInch * kPointsPerInch);
    cairo_scale(document->context, kPointsPerInch / m_target.xDpi,
        kPointsPerInch / m_target.yDpi);
    cairo_set_scaled_font(document->context, m_font->scaled);
    cairo_set_source_rgb(document->context, 0, 0, 0);
    m_document = std::move(document);
    return true;
}

// cairo opens a page with the first drawing after the last one ended.
void CupsPrinterDevice::StartPage() { }

void CupsPrinterDevice::DrawText(int x, int y, std::wstring_view text)
{
    if (m_document == nullptr)
        return;
    cairo_move_to(m_document->context, x, y + m_font->ascent);
    cairo_show_text(m_document->context, ToUtf8(text).c_str());
}

void CupsPrinterDevice::EndPage()
{
    if (m_document != nullptr)
        cairo_show_page(m_document->context);
}

bool CupsPrinterDevice::EndDocument()
{
    if (m_document == nullptr)
        return false;
    std::unique_ptr<Document> document = std::move(m_document);
    if (!document->Close())
        return false;
    int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, m_target.queue.c_str(), document->path.c_str(),
        document->jobName.c_str(), 0, nullptr);
    return job > 0;
}

}  // namespace pestrol
