#pragma once

#include <QMap>
#include <QString>

// Reads back what a printout put on paper, with poppler's command-line tools.
namespace PdfReader {

// The page text, laid out as on the page.
QString text(const QString& pdf);
int pages(const QString& pdf);
// The top of the first occurrence of each word on the page, in points.
QMap<QString, double> wordTops(const QString& pdf);

} // namespace PdfReader
