// "Print Log" on the desktop: Qt's print dialog (a printer, or "Print to File"
// for a PDF), and the pages the platform laid out drawn on the printer.
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "desktop/QtPlatform.h"

namespace ruvek::ui {

bool PaintPages(QPrinter& printer, const os::PrintDocument& doc) {
  printer.setFullPage(true);
  const QRectF paper = printer.pageLayout().fullRectPoints();
  const auto pages = os::LayOutPages(doc, os::PageSize{paper.width(), paper.height()});
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // The pages are laid out in points; the printer counts its own dots.
  const double dots = printer.resolution() / 72.0;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) printer.newPage();
    for (const os::PrintedText& t : pages[i].texts) {
      QFont font("Helvetica");
      font.setPointSizeF(t.size);
      font.setBold(t.bold);
      painter.setFont(font);
      painter.setPen(t.grey ? QColor(140, 140, 140) : QColor(Qt::black));
      painter.drawText(QPointF(t.x * dots, t.y * dots), QString::fromLatin1(t.text.data(), int(t.text.size())));
    }
  }
  return painter.end();
}

PrintResult QtPlatform::printLog(const os::PrintDocument& doc) {
  if (refreshView) refreshView();
  PrintResult result;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdString(doc.title));
  printer.setPageOrientation(QPageLayout::Landscape);
  // Without a printer the dialog offers the PDF file, named after the cruise.
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    try {
      printer.setOutputFileName(QString::fromStdString(files().hostPath(doc.folder + doc.fileName)));
    } catch (const os::FileError&) {
      // A folder that names no place here: the dialog asks for the file.
    }
  }
  // Over the main window, as every box of the program.
  QPrintDialog dialog(&printer, parentWindow());
  dialog.setWindowTitle("Print Log");
  if (dialog.exec() != QDialog::Accepted) return result;
  const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
  result.where = toFile ? programPath(printer.outputFileName().toStdString()) : printer.printerName().toStdString();
  if (PaintPages(printer, doc)) {
    result.outcome = PrintResult::Printed;
  } else {
    result.outcome = PrintResult::Failed;
    result.error = toFile ? "the file cannot be written" : "the printer did not start";
  }
  return result;
}

}  // namespace ruvek::ui
