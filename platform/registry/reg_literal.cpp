// Quoted literals of the settings file: see reg_literal.h.
#include "platform/registry/reg_literal.h"

#include <QStringDecoder>

namespace tk70::reg {

namespace {

quint8 byteAt(QByteArrayView bytes, qsizetype pos) { return quint8(bytes[pos]); }

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The byte an escape stands for; pos is at the character after the backslash and is
// left after the escape.  -1 when the escape is not one of ours.
int unescape(QByteArrayView line, qsizetype &pos)
{
    const char c = line[pos++];
    switch (c) {
    case '\\': return '\\';
    case '"': return '"';
    case '0': return 0;
    case 'r': return '\r';
    case 'n': return '\n';
    case 't': return '\t';
    case 'x': break;
    default: return -1;
    }
    if (pos + 2 > line.size())
        return -1;
    const int high = hexDigit(line[pos]);
    const int low = hexDigit(line[pos + 1]);
    if (high < 0 || low < 0)
        return -1;
    pos += 2;
    return high * 16 + low;
}

// The escape written for a byte that does not stand for itself.
void appendEscape(QByteArray &out, quint8 b)
{
    static const char digits[] = "0123456789abcdef";
    switch (b) {
    case '\\': out += "\\\\"; return;
    case '"': out += "\\\""; return;
    case 0: out += "\\0"; return;
    case '\r': out += "\\r"; return;
    case '\n': out += "\\n"; return;
    case '\t': out += "\\t"; return;
    default: break;
    }
    out += "\\x";
    out += digits[b >> 4];
    out += digits[b & 0x0f];
}

}  // namespace

int utf8SequenceLength(QByteArrayView bytes, qsizetype pos)
{
    const quint8 lead = byteAt(bytes, pos);
    int length = 0;
    quint8 low = 0x80;   // the range of the second byte, narrower after some leads
    quint8 high = 0xbf;  // so that overlong forms and surrogates are refused
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : low;
        high = lead == 0xed ? 0x9f : high;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : low;
        high = lead == 0xf4 ? 0x8f : high;
    }
    if (length == 0 || pos + length > bytes.size())
        return 0;
    if (byteAt(bytes, pos + 1) < low || byteAt(bytes, pos + 1) > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if ((byteAt(bytes, pos + i) & 0xc0) != 0x80)
            return 0;
    }
    return length;
}

bool isValidUtf8(QByteArrayView bytes)
{
    for (qsizetype pos = 0; pos < bytes.size();) {
        if (byteAt(bytes, pos) < 0x80) {
            ++pos;
            continue;
        }
        const int length = utf8SequenceLength(bytes, pos);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

QByteArray quote(QByteArrayView bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + 2);
    out += '"';
    for (qsizetype pos = 0; pos < bytes.size();) {
        const quint8 b = byteAt(bytes, pos);
        const bool plain = b >= 0x20 && b < 0x7f && b != '"' && b != '\\';
        // Well-formed UTF-8 stays readable, except the C1 control characters U+0080..U+009F.
        const int length = b < 0x80 ? 0 : utf8SequenceLength(bytes, pos);
        const bool text = length > 0 && !(b == 0xc2 && byteAt(bytes, pos + 1) < 0xa0);
        if (plain) {
            out += char(b);
        } else if (text) {
            out += bytes.sliced(pos, length);
            pos += length;
            continue;
        } else {
            appendEscape(out, b);
        }
        ++pos;
    }
    out += '"';
    return out;
}

QString unquote(QByteArrayView line, qsizetype &pos, QByteArray &out)
{
    if (pos >= line.size() || line[pos] != '"')
        return QStringLiteral("a quoted text is expected");
    out.clear();
    for (qsizetype i = pos + 1; i < line.size();) {
        const char c = line[i++];
        if (c == '"') {
            pos = i;
            return {};
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i >= line.size())
            break;
        const qsizetype escapeAt = i - 1;
        const int b = unescape(line, i);
        if (b < 0)
            return QStringLiteral("unknown escape \"%1\" (known: \\\\ \\\" \\0 \\r \\n \\t \\xHH)")
                .arg(QString::fromLatin1(line.sliced(escapeAt, qMin<qsizetype>(4, line.size() - escapeAt))));
        out += char(b);
    }
    return QStringLiteral("the closing quote is missing");
}

QString decodeUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

}  // namespace tk70::reg
