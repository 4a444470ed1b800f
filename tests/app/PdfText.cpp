#include "PdfText.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <cmath>

namespace daywick::testing {

PdfText readPdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitStatus() != QProcess::NormalExit ||
        pdftotext.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext (package poppler-utils) could not read " << path.toStdString() << ": "
                      << pdftotext.errorString().toStdString() << " "
                      << pdftotext.readAllStandardError().toStdString();
        return {};
    }
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());

    PdfText result;
    static const QRegularExpression element(QString::fromUtf8(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" )re"
        R"re(xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (auto match = element.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        if (!found.captured(1).isEmpty()) {
            ++result.pages;
            result.pageWidth = found.captured(1).toDouble();
            result.pageHeight = found.captured(2).toDouble();
            continue;
        }
        const double left = found.captured(3).toDouble(), top = found.captured(4).toDouble();
        const double right = found.captured(5).toDouble(), bottom = found.captured(6).toDouble();
        QString word = found.captured(7);
        word.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
            .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        // Words of one line share their top; pdftotext gives them in reading order.
        const int page = result.pages - 1;
        if (!result.lines.empty() && result.lines.back().page == page &&
            std::abs(result.lines.back().top - top) < 0.5) {
            PdfLine& line = result.lines.back();
            line.text += QLatin1Char(' ') + word;
            line.right = right;
            line.bottom = std::max(line.bottom, bottom);
        } else {
            result.lines.push_back({page, word, left, top, right, bottom});
        }
    }
    return result;
}

}  // namespace daywick::testing
