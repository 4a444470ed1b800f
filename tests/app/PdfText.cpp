#include "PdfText.h"

#include <algorithm>

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
        // Words of one line share their top. pdftotext gives them in its reading order, which takes a wide
        // gap in a line for a column break and gives the words after it later: a word joins the line of its
        // top wherever it comes, in the order of their left edges.
        const int page = result.pages - 1;
        const auto same = std::find_if(result.lines.begin(), result.lines.end(), [&](const PdfLine& line) {
            return line.page == page && std::abs(line.top - top) < 0.5;
        });
        if (same == result.lines.end()) {
            result.lines.push_back({page, word, left, top, right, bottom});
        } else if (left >= same->right) {
            same->text += QLatin1Char(' ') + word;
            same->right = right;
            same->bottom = std::max(same->bottom, bottom);
        } else {
            same->text = word + QLatin1Char(' ') + same->text;
            same->left = left;
            same->bottom = std::max(same->bottom, bottom);
        }
    }
    return result;
}

}  // namespace daywick::testing
