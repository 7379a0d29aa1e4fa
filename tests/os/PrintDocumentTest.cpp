// The pages of a printed table and the PDF file made of them.
#include <gtest/gtest.h>

#include "os/PrintDocument.h"

namespace ruvek::os {
namespace {

PrintDocument Table(int rows, const std::string& comment) {
  PrintDocument doc;
  doc.title = "Tesmora 0708SR EVENT LOG";
  doc.heading = {"2 events"};
  doc.columns = {"Evt#", "Event", "Comments"};
  doc.columnWidths = {800, 2400, 3000};
  for (int r = 1; r <= rows; ++r) doc.rows.push_back({std::to_string(r), "CTD (at) depth\\", comment});
  return doc;
}

TEST(PrintDocument, RowsWrapWithinTheirColumnAndStayAboveTheFoot) {
  const PageSize page;
  const std::string long_comment = std::string(300, 'x') + " and some words";
  const auto pages = LayOutPages(Table(150, long_comment), page);
  ASSERT_GT(pages.size(), 2u);
  for (const PrintedPage& p : pages) {
    EXPECT_NE(std::string::npos, p.texts.back().text.find(" of " + std::to_string(pages.size())));
    for (const PrintedText& t : p.texts) {
      EXPECT_LE(t.x + TextWidth(t.text, t.size, t.bold), page.width - 36 + 0.01) << t.text;
      EXPECT_LE(t.y, page.height - 36 + 0.01) << t.text;
    }
  }
  // A wrapped cell keeps every character of its text but the blanks it broke at.
  std::string comment;
  for (const PrintedText& t : pages[0].texts)
    if (t.x > 300 && t.text != "Comments")
      for (char c : t.text)
        if (c != ' ') comment += c;
  EXPECT_EQ(0u, comment.find(std::string(300, 'x') + "andsomewords" + std::string(300, 'x'))) << comment;
}

TEST(PrintDocument, PdfCrossReferencePointsAtEveryObject) {
  const std::string pdf = PdfOfPages(LayOutPages(Table(80, "caf\xC3\xA9 \xE2\x82\xAC")), {}, "T");
  ASSERT_EQ(0u, pdf.rfind("%PDF-1.4\n", 0));
  const std::size_t startxref = pdf.rfind("startxref\n");
  ASSERT_NE(std::string::npos, startxref);
  const std::size_t xref = std::stoul(pdf.substr(startxref + 10));
  ASSERT_EQ(0u, pdf.compare(xref, 5, "xref\n"));
  std::size_t at = pdf.find('\n', xref + 5) + 1;  // after "0 N"
  const int count = std::stoi(pdf.substr(pdf.find(' ', xref) + 1));
  EXPECT_EQ(0, pdf.compare(at, 20, "0000000000 65535 f \n"));
  for (int n = 1; n < count; ++n) {
    const std::string entry = pdf.substr(at + 20 * std::size_t(n), 20);
    EXPECT_EQ(" 00000 n \n", entry.substr(10)) << n;
    EXPECT_EQ(0,
              pdf.compare(std::stoul(entry.substr(0, 10)), std::to_string(n).size() + 6, std::to_string(n) + " 0 obj"))
        << n;
  }
  // Every stream is as long as its /Length says.
  for (std::size_t s = pdf.find("/Length "); s != std::string::npos; s = pdf.find("/Length ", s + 1)) {
    const std::size_t length = std::stoul(pdf.substr(s + 8));
    const std::size_t data = pdf.find("stream\n", s) + 7;
    EXPECT_EQ(0, pdf.compare(data + length, 9, "endstream"));
  }
  EXPECT_NE(std::string::npos, pdf.find("/Count 2 "));
  // Parentheses and backslashes escaped, Latin-1 as octal, beyond it "?".
  EXPECT_NE(std::string::npos, pdf.find("(CTD \\(at\\) depth\\\\)"));
  EXPECT_NE(std::string::npos, pdf.find("(caf\\351 ?)"));
  EXPECT_EQ("\xE9 ? \xFF", ToLatin1("\xC3\xA9\t\xE2\x82\xAC \xFF"));
}

}  // namespace
}  // namespace ruvek::os
