// The desktop's print path: the laid-out pages drawn on a printer that writes
// a PDF file, read back with pdftotext where it is installed.
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>

#include "desktop/QtPlatform.h"
#include "gui/DesktopStation.h"

namespace ruvek::test {
namespace {

TEST(DesktopPrint, PaintsThePagesOnAPdfPrinter) {
  os::PrintDocument doc;
  doc.title = "Tesmora 0708SR EVENT LOG";
  doc.heading = {"2 events on 08-Jun-2026"};
  doc.columns = {"Evt#", "Event", "Comments"};
  doc.columnWidths = {800, 2400, 3000};
  for (int r = 1; r <= 100; ++r) doc.rows.push_back({std::to_string(r), "CTD Deployed", "calm"});
  QTemporaryDir dir;
  const QString file = dir.filePath("log.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  printer.setPageOrientation(QPageLayout::Landscape);
  ASSERT_TRUE(ui::PaintPages(printer, doc));
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
  FILE* pipe = ::popen(("pdftotext -layout '" + file.toStdString() + "' -").c_str(), "r");
  std::string text;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) text.append(buf, n);
  ::pclose(pipe);
  for (const char* expected : {"Tesmora 0708SR EVENT LOG", "2 events on 08-Jun-2026", "CTD Deployed", "Page 2 of "})
    EXPECT_NE(std::string::npos, text.find(expected)) << expected << "\n" << text;
}

}  // namespace
}  // namespace ruvek::test
