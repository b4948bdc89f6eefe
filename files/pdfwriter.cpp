#include "files/pdfwriter.h"

#include "calendar/monthlayout.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <utility>

namespace {

// A number as PDF writes it: fixed point, three decimals at most, whatever
// the locale.
std::string number(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3).ptr;
    std::string s(text, end);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s;
}

// A literal string: brackets and backslashes escaped, bytes outside printable
// ASCII as octal escapes.
std::string literal(std::string_view text) {
    std::string out = "(";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte > 0x7E) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03o", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + ")";
}

// Objects are numbered from 1 in the order they are begun.
class PdfBuilder {
public:
    PdfBuilder() { out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"; }

    void object(int id, std::string_view body) {
        begin(id);
        out_ += body;
        out_ += "\nendobj\n";
    }

    void stream(int id, std::string dictionary, std::string_view data) {
        begin(id);
        out_ += "<< " + dictionary + " /Length " + std::to_string(data.size()) + " >>\nstream\n";
        out_ += data;
        out_ += "\nendstream\nendobj\n";
    }

    std::string finish(int root, int info) {
        const std::size_t xref = out_.size();
        out_ += "xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f \n";
        for (const std::size_t offset : offsets_) {
            char entry[24];
            std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
            out_ += entry;
        }
        out_ += "trailer\n<< /Size " + std::to_string(offsets_.size() + 1) + " /Root " + ref(root) +
                " /Info " + ref(info) + " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
        return std::move(out_);
    }

    static std::string ref(int id) { return std::to_string(id) + " 0 R"; }

private:
    void begin(int id) {
        if (offsets_.size() < static_cast<std::size_t>(id)) offsets_.resize(static_cast<std::size_t>(id));
        offsets_[static_cast<std::size_t>(id) - 1] = out_.size();
        out_ += std::to_string(id) + " 0 obj\n";
    }

    std::string out_;
    std::vector<std::size_t> offsets_;
};

}  // namespace

std::vector<Placement> placeOnSheets(int width, const std::vector<int>& heights, double sheetWidth,
                                     double sheetHeight, double margin) {
    const int tallest = heights.empty() ? 1 : std::max(1, *std::max_element(heights.begin(), heights.end()));
    const double scale =
        std::min((sheetWidth - 2 * margin) / std::max(width, 1), (sheetHeight - 2 * margin) / tallest);
    std::vector<Placement> placements;
    for (const int height : heights) {
        Placement& p = placements.emplace_back();
        p.width = width * scale;
        p.height = height * scale;
        p.x = (sheetWidth - p.width) / 2;
        p.y = sheetHeight - margin - p.height;
    }
    return placements;
}

std::string pdfFile(const std::vector<ImageSheet>& sheets, std::string_view title, std::string_view creator) {
    // 1 catalogue, 2 page tree, 3 information; then page, contents and image
    // of each sheet.
    PdfBuilder pdf;
    const int count = static_cast<int>(sheets.size());
    pdf.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    std::string kids;
    for (int i = 0; i < count; ++i) kids += (i ? " " : "") + PdfBuilder::ref(4 + 3 * i);
    pdf.object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(count) + " >>");
    pdf.object(3, "<< /Title " + literal(title) + " /Creator " + literal(creator) + " >>");
    for (int i = 0; i < count; ++i) {
        const ImageSheet& sheet = sheets[static_cast<std::size_t>(i)];
        const int page = 4 + 3 * i;
        pdf.object(page, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + number(a4Width) + " " + number(a4Height) +
                             "] /Resources << /XObject << /Im0 " + PdfBuilder::ref(page + 2) +
                             " >> >> /Contents " + PdfBuilder::ref(page + 1) + " >>");
        const Placement& p = sheet.placement;
        pdf.stream(page + 1, "",
                   "q " + number(p.width) + " 0 0 " + number(p.height) + " " + number(p.x) + " " + number(p.y) +
                       " cm /Im0 Do Q");
        const std::string columns = std::to_string(sheet.width);
        pdf.stream(page + 2,
                   "/Type /XObject /Subtype /Image /Width " + columns + " /Height " + std::to_string(sheet.height) +
                       " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode /DecodeParms"
                       " << /Predictor 15 /Colors 3 /BitsPerComponent 8 /Columns " + columns + " >>",
                   sheet.rows);
    }
    return pdf.finish(1, 3);
}
