#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QSize>
#include <QString>

class QLabel;
class QWidget;

// The few idioms every window of the program shares: fonts sized in pixels as the windows were
// drawn, white panels, coloured text, labels that never read their text as markup and icons
// drawn from SVG pictures.
namespace Look {

// A font of `pixels` pixels, so that it keeps its size on every screen.
QFont pixelFont(const QString& family, int pixels, bool bold = false, bool italic = false);

// The widget's window background becomes white; with `autoFill` it is also painted.
void makeWhite(QWidget* widget, bool autoFill = true);

// The widget's text (window text and editor text) takes `color`.
void setTextColor(QWidget* widget, const QColor& color);

// Shows `text` as written: a label made here never interprets markup.
QLabel* plainLabel(const QString& objectName, const QString& text, QWidget* parent);

// The SVG picture `file` as an icon of `size`, rendered for plain and high-density screens and
// for every screen's pixel ratio, so that it is never scaled up. Null if the picture is missing.
QIcon svgIcon(const QString& file, const QSize& size);

} // namespace Look
