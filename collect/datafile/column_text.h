// Pieces shared by the text layouts of the data files: texts in the files' character
// set, and the quality mark that ends a fixed-width value column.
#pragma once

#include <QByteArray>
#include <QString>

namespace tk70 {

// A text of the program (tag name, path) as data file bytes: Windows-1252, the character
// set of the tag selection files, one byte per character ('?' for a character the code
// page lacks), so padding by bytes pads by characters.
QByteArray fileText(const QString &text);

// The two characters after a fixed-width value: "* " for bad quality, else two spaces.
QByteArray qualityMark(bool badQuality);

}  // namespace tk70
