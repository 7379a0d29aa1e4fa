#include "os/PrintDocument.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace ruvek::os {
namespace {

// Advance widths of the printable ASCII characters 32 to 126 in thousandths of
// the font size, from the published metrics of the standard fonts.
constexpr short kHelvetica[95] = {278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,
                                  556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,
                                  1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,
                                  667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,
                                  333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,
                                  556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};
constexpr short kHelveticaBold[95] = {278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
                                      556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,
                                      975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,
                                      667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,
                                      333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
                                      611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};
// Letters beyond ASCII are taken as wide as a digit.
constexpr int kOtherWidth = 556;

constexpr double kMargin = 36;
constexpr double kTitleSize = 12, kHeadingSize = 9, kCellSize = 8, kFootSize = 7;
constexpr double kLineHeight = 10;
constexpr double kCellPadding = 4;

// `text` cut into lines no wider than `width`: at blanks where it can be, inside
// a word that is wider than a line on its own.
std::vector<std::string> Wrap(const std::string& text, double width, double size, bool bold) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t end = std::min(text.find(' ', i), text.size());
    std::string word = text.substr(i, end - i);
    i = end + 1;
    const std::string joined = line.empty() ? word : line + " " + word;
    if (TextWidth(joined, size, bold) <= width) {
      line = joined;
      continue;
    }
    if (!line.empty()) lines.push_back(std::move(line));
    line.clear();
    // A word wider than the column is cut where it reaches the edge.
    while (TextWidth(word, size, bold) > width && word.size() > 1) {
      std::size_t fit = 1;
      while (fit < word.size() && TextWidth(word.substr(0, fit + 1), size, bold) <= width) ++fit;
      lines.push_back(word.substr(0, fit));
      word.erase(0, fit);
    }
    line = word;
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

struct Columns {
  std::vector<double> left, width;
};

Columns PlaceColumns(const PrintDocument& doc, double usable) {
  const std::size_t n = doc.columns.size();
  std::vector<double> weights(n, 1);
  for (std::size_t c = 0; c < n && c < doc.columnWidths.size(); ++c) weights[c] = std::max(1, doc.columnWidths[c]);
  const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
  Columns cols;
  double x = kMargin;
  for (double w : weights) {
    cols.left.push_back(x);
    cols.width.push_back(usable * w / total);
    x += usable * w / total;
  }
  return cols;
}

// PDF numbers with two decimals, written without the C library so that no
// locale can turn the point into a comma.
std::string Num(double v) {
  long long hundredths = static_cast<long long>(v * 100 + (v < 0 ? -0.5 : 0.5));
  std::string sign = hundredths < 0 ? "-" : "";
  hundredths = std::llabs(hundredths);
  std::string frac = std::to_string(hundredths % 100);
  if (frac.size() < 2) frac = "0" + frac;
  return sign + std::to_string(hundredths / 100) + "." + frac;
}

// A PDF literal string: parentheses and backslashes escaped, bytes beyond ASCII
// as octal escapes.
std::string PdfString(std::string_view text) {
  std::string out = "(";
  for (unsigned char c : text) {
    if (c == '(' || c == ')' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c < 32 || c > 126) {
      const char oct[] = {'\\', char('0' + (c >> 6)), char('0' + ((c >> 3) & 7)), char('0' + (c & 7)), 0};
      out += oct;
    } else {
      out += char(c);
    }
  }
  return out + ")";
}

std::string Offset10(std::size_t v) {
  std::string s = std::to_string(v);
  return std::string(s.size() < 10 ? 10 - s.size() : 0, '0') + s;
}

}  // namespace

double TextWidth(std::string_view text, double size, bool bold) {
  const short* widths = bold ? kHelveticaBold : kHelvetica;
  long units = 0;
  for (unsigned char c : text) units += (c >= 32 && c <= 126) ? widths[c - 32] : kOtherWidth;
  return units * size / 1000.0;
}

std::string ToLatin1(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = text[i];
    if (c < 0x80) {
      out += c < 32 || c == 127 ? ' ' : char(c);
      ++i;
      continue;
    }
    // The length and value of a UTF-8 sequence starting here, if it is one.
    const int len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    bool valid = len > 0 && i + len <= text.size();
    unsigned long cp = len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
    for (int k = 1; valid && k < len; ++k) {
      const unsigned char cc = text[i + k];
      valid = (cc & 0xC0) == 0x80;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!valid) {
      out += char(c);  // not UTF-8: a Latin-1 byte already
      ++i;
      continue;
    }
    out += cp < 0xA0 ? ' ' : cp <= 0xFF ? char(cp) : '?';
    i += len;
  }
  return out;
}

std::vector<PrintedPage> LayOutPages(const PrintDocument& doc, PageSize page) {
  const double usable = page.width - 2 * kMargin;
  const double bottom = page.height - kMargin - 2 * kLineHeight;  // room for the foot line
  const Columns cols = PlaceColumns(doc, usable);
  std::vector<PrintedPage> pages;
  double y = 0;
  bool pageHasRows = false;

  auto cellLines = [&](const std::vector<std::string>& cells, std::size_t c, bool bold) {
    return Wrap(c < cells.size() ? ToLatin1(cells[c]) : std::string(), cols.width[c] - kCellPadding, kCellSize, bold);
  };
  // A row of cells at y; returns the height it took.
  auto placeRow = [&](PrintedPage& p, const std::vector<std::vector<std::string>>& lines, bool bold,
                      bool grey = false) {
    std::size_t tallest = 1;
    for (std::size_t c = 0; c < lines.size(); ++c) {
      tallest = std::max(tallest, lines[c].size());
      for (std::size_t k = 0; k < lines[c].size(); ++k)
        if (!lines[c][k].empty())
          p.texts.push_back({cols.left[c], y + kLineHeight * double(k), kCellSize, bold, lines[c][k], grey});
    }
    return kLineHeight * double(tallest);
  };
  auto newPage = [&] {
    pages.emplace_back();
    pageHasRows = false;
    y = kMargin + kTitleSize;
    PrintedPage& p = pages.back();
    if (pages.size() == 1) {
      p.texts.push_back({kMargin, y, kTitleSize, true, ToLatin1(doc.title)});
      y += kTitleSize + 4;
      for (const std::string& line : doc.heading) {
        p.texts.push_back({kMargin, y, kHeadingSize, false, ToLatin1(line)});
        y += kHeadingSize + 3;
      }
      y += kLineHeight;
    }
    std::vector<std::vector<std::string>> head;
    for (std::size_t c = 0; c < cols.left.size(); ++c) head.push_back(cellLines(doc.columns, c, true));
    y += placeRow(p, head, true) + 2;
  };

  newPage();
  for (std::size_t r = 0; r < doc.rows.size(); ++r) {
    const auto& row = doc.rows[r];
    std::vector<std::vector<std::string>> lines;
    std::size_t tallest = 1;
    for (std::size_t c = 0; c < cols.left.size(); ++c) {
      lines.push_back(cellLines(row, c, false));
      tallest = std::max(tallest, lines.back().size());
    }
    // A row that does not fit goes to the next page; one taller than a whole
    // page keeps as many lines as a page holds.
    const double height = kLineHeight * double(tallest);
    if (y + height - kLineHeight > bottom && pageHasRows) newPage();
    pageHasRows = true;
    const std::size_t room = std::size_t(std::max(1.0, (bottom - y) / kLineHeight + 1));
    for (auto& cell : lines)
      if (cell.size() > room) cell.resize(room);
    y += placeRow(pages.back(), lines, false, r < doc.greyedRows.size() && doc.greyedRows[r]);
  }
  const std::string total = std::to_string(pages.size());
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const std::string foot = "Page " + std::to_string(i + 1) + " of " + total;
    pages[i].texts.push_back({kMargin, page.height - kMargin, kFootSize, false, ToLatin1(doc.title)});
    pages[i].texts.push_back(
        {page.width - kMargin - TextWidth(foot, kFootSize, false), page.height - kMargin, kFootSize, false, foot});
  }
  return pages;
}

std::string PdfOfPages(const std::vector<PrintedPage>& pages, PageSize page, const std::string& title) {
  // Objects: 1 catalog, 2 page tree, 3 and 4 the fonts, 5 the document
  // information, then a page and its content stream for each page.
  std::vector<std::string> objects(5);
  std::string kids;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const std::size_t pageObj = 6 + 2 * i, contentObj = pageObj + 1;
    kids += (i ? " " : "") + std::to_string(pageObj) + " 0 R";
    std::string stream;
    for (const PrintedText& t : pages[i].texts) {
      // A grey run sets its fill colour and sets black back after it.
      stream += std::string(t.grey ? "0.55 g " : "") + "BT /" + std::string(t.bold ? "F2 " : "F1 ") + Num(t.size) +
                " Tf " + Num(t.x) + " " + Num(page.height - t.y) + " Td " + PdfString(t.text) + " Tj ET" +
                (t.grey ? " 0 g" : "") + "\n";
    }
    objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + Num(page.width) + " " + Num(page.height) +
                      "] /Resources << /Font << /F1 3 0 R /F2 4 0 R >> >> /Contents " + std::to_string(contentObj) +
                      " 0 R >>");
    objects.push_back("<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "endstream");
  }
  objects[0] = "<< /Type /Catalog /Pages 2 0 R >>";
  objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>";
  objects[2] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>";
  objects[3] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>";
  objects[4] = "<< /Title " + PdfString(ToLatin1(title)) + " /Producer (Ruvek Event Log) >>";

  std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t off : offsets) pdf += Offset10(off) + " 00000 n \n";
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R /Info 5 0 R >>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

}  // namespace ruvek::os
