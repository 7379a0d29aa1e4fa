#pragma once
// A printable table and its pages: the program builds the document (a heading
// and rows of cells), this layer lays it out on pages of text placed in
// points, and a PDF writer or a printer draws those pages.
#include <string>
#include <string_view>
#include <vector>

namespace ruvek::os {

struct PrintDocument {
  std::string title;                 // the first heading line, in bold
  std::vector<std::string> heading;  // the lines under the title
  std::vector<std::string> columns;  // the column headings, repeated on every page
  std::vector<int> columnWidths;     // the columns' relative widths
  std::vector<std::vector<std::string>> rows;
  // Rows printed in grey, by row index (an entry a later one replaces); a row
  // beyond its end prints in black.
  std::vector<bool> greyedRows;
  std::string folder;    // where the file dialog starts ("C:\RuvekGPS\")
  std::string fileName;  // the name offered for a PDF file ("0708SREvents.pdf")
};

// A page size in points (1/72 inch); US Letter, landscape.
struct PageSize {
  double width = 792, height = 612;
};

// One text run on a page: its baseline's left end, measured from the page's
// top-left corner, in points.
struct PrintedText {
  double x = 0, y = 0;
  double size = 8;
  bool bold = false;
  std::string text;  // Latin-1 (see ToLatin1)
  bool grey = false;
};

struct PrintedPage {
  std::vector<PrintedText> texts;
};

// The document on pages of `page`: the title and heading on the first page, the
// column headings on every page, each row's cells wrapped within their column,
// a row never split across pages, and "Page N of M" at the foot of each page.
std::vector<PrintedPage> LayOutPages(const PrintDocument& doc, PageSize page = {});

// The width in points of Latin-1 `text` set in Helvetica (or Helvetica-Bold) of
// `size` points.
double TextWidth(std::string_view text, double size, bool bold);

// UTF-8 text as Latin-1: a character beyond Latin-1 becomes "?", a control
// character a blank; bytes that are no UTF-8 are taken as Latin-1 already.
std::string ToLatin1(std::string_view text);

// A PDF 1.4 file of text pages set in the standard Helvetica fonts.
std::string PdfOfPages(const std::vector<PrintedPage>& pages, PageSize page = {}, const std::string& title = {});

}  // namespace ruvek::os
