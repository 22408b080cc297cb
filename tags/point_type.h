// Point types of a tag: the codes 0 to 9 and every name under which they appear (the
// editor's drop-down, printouts, the delimited tag list import).
#pragma once

#include <QString>

namespace tk70 {

enum class PointType : qint32 {
    NonException = 0,
    AnalogException = 1,
    DigitalException = 2,
    Msdd = 3,
    MaStationSp = 4,
    MaStationPv = 5,
    MaStationCo = 6,
    Rcm = 7,
    Rmsc = 8,
    MaStationStatus = 9,
};

namespace PointTypes {

inline constexpr int kCount = 10;
inline constexpr int kPrintWidth = 17;

// Whether code is one of the ten point types.
bool isValid(qint32 code);
// The editor and import name ("Analog Exception"); empty for a code outside 0 to 9.
// The editor lists these in code order, so a code is the list position of its name.
QString editorName(qint32 code);
// The print name padded with blanks to 17 characters; 17 blanks for an unknown code.
QString printName(qint32 code);
// The short import word ("AE"); empty when the code has none or is unknown.
QString importWord(qint32 code);
// The code of an imported point type field: the whole field, ignoring case, against
// the editor name and then the short word of each code in code order; no match gives 0.
qint32 fromImportField(QStringView field);

}  // namespace PointTypes
}  // namespace tk70
