// Hand-built TSF bytes: see tsf_bytes.h.
#include "tests/tags/tsf_bytes.h"

#include <cstring>

namespace tk70::test {

TsfBytes &TsfBytes::raw(const QByteArray &bytes)
{
    m_bytes += bytes;
    return *this;
}

TsfBytes &TsfBytes::i32(qint32 value)
{
    const quint32 v = quint32(value);
    for (int shift = 0; shift < 32; shift += 8)
        m_bytes += char((v >> shift) & 0xFF);
    return *this;
}

TsfBytes &TsfBytes::f64(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int shift = 0; shift < 64; shift += 8)
        m_bytes += char((bits >> shift) & 0xFF);
    return *this;
}

TsfBytes &TsfBytes::str(const QByteArray &bytes)
{
    const qsizetype n = bytes.size();
    if (n < 255) {
        m_bytes += char(n);
    } else if (n < 65534) {
        m_bytes += '\xFF';
        m_bytes += char(n & 0xFF);
        m_bytes += char(n >> 8);
    } else {
        m_bytes += QByteArray("\xFF\xFF\xFF", 3);
        i32(qint32(n));
    }
    m_bytes += bytes;
    return *this;
}

TsfBytes &TsfBytes::header() { return str("TK70 Tag Selection File").i32(3546); }

TsfBytes &TsfBytes::tag(const QByteArray &name, const QByteArray &description, qint32 loop, qint32 pcu, qint32 module,
                        qint32 block, qint32 pointType, qint32 g1, qint32 g2, qint32 g3, qint32 g4)
{
    str(name).str(description).i32(loop).i32(pcu).i32(module).i32(block).i32(pointType);
    return i32(g1).i32(g2).i32(g3).i32(g4);
}

TsfBytes &TsfBytes::graph(qint32 historyLength, qint32 traceCount, double sampleInterval, const QByteArray &title,
                          const QByteArray &secondTitle)
{
    return i32(historyLength).i32(traceCount).f64(sampleInterval).str(title).str(secondTitle);
}

TsfBytes &TsfBytes::trace(double zero, double span, const QByteArray &tagname, const QByteArray &description)
{
    return f64(zero).f64(span).str(tagname).str(description);
}

TsfBytes &TsfBytes::group(const QByteArray &fileName, qint32 sampleTime, const QByteArray &startDate,
                          const QByteArray &endDate, const QByteArray &inhibitTag, qint32 append, qint32 rollover,
                          const QByteArray &startTime, const QByteArray &endTime, qint32 enabled,
                          const QByteArray &fileType)
{
    str(fileName).i32(sampleTime).str(startDate).str(endDate).str(inhibitTag).i32(append).i32(rollover);
    return str(startTime).str(endTime).i32(enabled).str(fileType);
}

TsfBytes &TsfBytes::emptyGroup() { return group("", 10, "", "", "", 0, 0, "", "", 0, "ASCII"); }

TsfBytes &TsfBytes::newDocumentGroups()
{
    group("TK70CG1.txt", 10, "", "", "", 0, 0, "", "", 1, "ASCII");
    return emptyGroup().emptyGroup().emptyGroup();
}

TagRecord namedTag(const char *name)
{
    TagRecord tag;
    tag.tagname = QString::fromLatin1(name);
    return tag;
}

QByteArray newDocumentFileBytes()
{
    const char group1[] = "\x0BTK70CG1.txt"   // data file name
                          "\x0A\x00\x00\x00"  // sample time 10
                          "\x00\x00\x00"      // start date, end date, save inhibit tag
                          "\x00\x00\x00\x00"  // append 0
                          "\x00\x00\x00\x00"  // rollover 0
                          "\x00\x00"          // start time, end time
                          "\x01\x00\x00\x00"  // enabled 1
                          "\x05"
                          "ASCII";    // file type
    const char otherGroup[] = "\x00"  // no data file name
                              "\x0A\x00\x00\x00"
                              "\x00\x00\x00"
                              "\x00\x00\x00\x00"
                              "\x00\x00\x00\x00"
                              "\x00\x00"
                              "\x00\x00\x00\x00"  // enabled 0
                              "\x05"
                              "ASCII";
    QByteArray bytes("\x17"
                     "TK70 Tag Selection File");
    bytes += QByteArray("\xDA\x0D\x00\x00", 4);  // file mark 3546
    bytes += QByteArray("\x00\x00\x00\x00", 4);  // tag count 0
    bytes += QByteArray("\x00\x00\x00\x00", 4);  // graph count 0
    bytes += QByteArray(group1, sizeof group1 - 1);
    for (int g = 2; g <= 4; ++g)
        bytes += QByteArray(otherGroup, sizeof otherGroup - 1);
    bytes += QByteArray("\x01\x00\x00\x00", 4);  // baud-rate index 1
    bytes += QByteArray("\x00\x00\x00\x00", 4);  // serial port index 0
    return bytes;
}

}  // namespace tk70::test
