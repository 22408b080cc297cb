// Reading dialog fields with the framework's range and length rules: see field_exchange.h.
#include "platform/view/field_exchange.h"

#include "platform/messages.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <climits>
#include <cmath>

namespace tk70 {

namespace {

bool refuse(QLineEdit *edit, const QString &text)
{
    Messages::note(text, QString::fromLatin1(kTitleProgram), MessageIcon::Exclamation);
    edit->setFocus();
    edit->selectAll();
    return false;
}

QString numberText(double value) { return QString::number(value, 'g', 15); }

}  // namespace

QString integerMessage() { return QStringLiteral("Please enter an integer."); }
QString integerRangeMessage(long long min, long long max)
{
    return QStringLiteral("Please enter an integer between %1 and %2.").arg(min).arg(max);
}
QString numberMessage() { return QStringLiteral("Please enter a number."); }
QString numberRangeMessage(double min, double max)
{
    return QStringLiteral("Please enter a number between %1 and %2.").arg(numberText(min), numberText(max));
}
QString maxCharsMessage(int maxChars)
{
    return QStringLiteral("Please enter no more than %1 characters.").arg(maxChars);
}

std::optional<long long> parseInteger(const QString &text)
{
    static const QRegularExpression integer(QStringLiteral("^\\s*[+-]?\\d+\\s*$"));
    if (!integer.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    long long value = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<long long>(value) : std::nullopt;
}

std::optional<double> parseNumber(const QString &text)
{
    bool ok = false;
    double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// The field's integer, or nothing after "Please enter an integer." for one that is not.
static std::optional<long long> integerField(QLineEdit *edit)
{
    auto parsed = parseInteger(edit->text());
    if (!parsed || *parsed < INT_MIN || *parsed > INT_MAX) {
        refuse(edit, integerMessage());
        return std::nullopt;
    }
    return parsed;
}

bool readInteger(QLineEdit *edit, int &value)
{
    auto parsed = integerField(edit);
    if (parsed)
        value = static_cast<int>(*parsed);
    return parsed.has_value();
}

bool readInteger(QLineEdit *edit, int min, int max, int &value)
{
    auto parsed = integerField(edit);
    if (!parsed)
        return false;
    if (*parsed < min || *parsed > max)
        return refuse(edit, integerRangeMessage(min, max));
    value = static_cast<int>(*parsed);
    return true;
}

bool readNumber(QLineEdit *edit, double min, double max, double &value)
{
    auto parsed = parseNumber(edit->text());
    if (!parsed)
        return refuse(edit, numberMessage());
    if (*parsed < min || *parsed > max)
        return refuse(edit, numberRangeMessage(min, max));
    value = *parsed;
    return true;
}

bool readText(QLineEdit *edit, int maxChars, QString &value)
{
    if (edit->text().size() > maxChars)
        return refuse(edit, maxCharsMessage(maxChars));
    value = edit->text();
    return true;
}

void limitText(QLineEdit *edit, int maxChars) { edit->setMaxLength(maxChars); }

}  // namespace tk70
