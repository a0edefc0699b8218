#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// The few idioms every window of the program shares: fonts sized in pixels as the windows were
// drawn, white panels, coloured text and labels that never read their text as markup.
namespace Look {

// A font of `pixels` pixels, so that it keeps its size on every screen.
QFont pixelFont(const QString& family, int pixels, bool bold = false, bool italic = false);

// The widget's window background becomes white; with `autoFill` it is also painted.
void makeWhite(QWidget* widget, bool autoFill = true);

// The widget's text (window text and editor text) takes `color`.
void setTextColor(QWidget* widget, const QColor& color);

// Shows `text` as written: a label made here never interprets markup.
QLabel* plainLabel(const QString& objectName, const QString& text, QWidget* parent);

} // namespace Look
