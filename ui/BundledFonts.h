#pragma once

#include <QFont>
#include <QString>

// Registers the bundled faces with the application's font database. Call once, after the
// QApplication exists; later calls do nothing.
void RegisterBundledFonts();

// The family name of the bundled face that stands in for a layout face name ("楷体_GB2312",
// "黑体", "宋体", "MS Sans Serif", "Arial"). Any other name gets the bundled plain sans.
QString BundledFamily(const QString& layoutFace);

// A font for a layout entry: the named face first where the desktop has it, as a Chinese
// Windows desktop does, then the bundled face of the same kind. pixelSize > 0 is the character height in pixels, internal
// leading not counted (the magnitude of a negative Font.Height).
QFont LayoutFont(const QString& layoutFace, int pixelSize, bool bold, bool italic);
