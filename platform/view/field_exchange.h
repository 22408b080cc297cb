// Reading dialog fields with the framework's range and length rules.
//
// Each reader takes the text of an edit field, checks it, and on failure shows the
// framework's standard message ("Please enter an integer between %1 and %2." and the
// like), puts the focus back on the field with its text selected, and returns false, so
// the dialog stays open on the field to correct.
#pragma once

#include <QString>
#include <optional>

class QLineEdit;

namespace tk70 {

// The standard messages.
QString integerMessage();
QString integerRangeMessage(long long min, long long max);
QString numberMessage();
QString numberRangeMessage(double min, double max);
QString maxCharsMessage(int maxChars);

// Parses an integer the way the dialogs take it: blanks around it allowed, an optional
// sign, digits, nothing else.  Nothing when the text is no integer or overflows.
std::optional<long long> parseInteger(const QString &text);
// Parses a decimal number, blanks around it allowed; nothing when it is no number or
// not finite ("nan", "inf" and what overflows a double are no numbers a field takes).
std::optional<double> parseNumber(const QString &text);

// Field readers: true with the value set, or false after the message and the focus.
bool readInteger(QLineEdit *edit, int &value);
bool readInteger(QLineEdit *edit, int min, int max, int &value);
bool readNumber(QLineEdit *edit, double min, double max, double &value);
bool readText(QLineEdit *edit, int maxChars, QString &value);

// Limits what can be typed into a text field, as the dialogs do for their name fields.
void limitText(QLineEdit *edit, int maxChars);

}  // namespace tk70
