#pragma once
// Printed pages read back: the text lines of a PDF with their places, as poppler's pdftotext finds them.

#include <QString>
#include <vector>

namespace daywick::testing {

/// One printed line: its page (from 0), its words joined by one blank, and the box of all its words in points
/// from the top-left corner of the sheet.
struct PdfLine {
    int page = 0;
    QString text;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

/// The PDF's pages and lines. Fails the calling test (and returns nothing) when pdftotext cannot read it.
struct PdfText {
    int pages = 0;
    double pageWidth = 0;
    double pageHeight = 0;
    std::vector<PdfLine> lines;
};

PdfText readPdfText(const QString& path);

}  // namespace daywick::testing
