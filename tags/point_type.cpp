// Point type names: see point_type.h.
#include "tags/point_type.h"

#include <array>

namespace tk70::PointTypes {

namespace {

struct Names {
    const char *editor;
    const char *print;
    const char *importWord;  // empty when there is none
};

constexpr std::array<Names, kCount> kNames{{
    {"Non-Exception", "Non-Exception", "NE"},
    {"Analog Exception", "Analog Exception", "AE"},
    {"Digital Exception", "Digital Exception", "DE"},
    {"MSDD", "MSDD", ""},
    {"M/A Station SP", "M/A Station SP", "SP"},
    {"M/A Station PV", "M/A Station PV", "PV"},
    {"M/A Station CO", "M/A Station CO", "CO"},
    {"RCM", "RCM", ""},
    {"RMSC", "RMSC", ""},
    {"M/A Station Status", "M/A Status", "STATUS"},
}};

}  // namespace

bool isValid(qint32 code) { return code >= 0 && code < kCount; }

QString editorName(qint32 code) { return isValid(code) ? QString::fromLatin1(kNames[code].editor) : QString(); }

QString printName(qint32 code)
{
    const QString name = isValid(code) ? QString::fromLatin1(kNames[code].print) : QString();
    return name.leftJustified(kPrintWidth, QLatin1Char(' '));
}

QString importWord(qint32 code) { return isValid(code) ? QString::fromLatin1(kNames[code].importWord) : QString(); }

qint32 fromImportField(QStringView field)
{
    for (qint32 code = 0; code < kCount; ++code) {
        const QLatin1StringView editor(kNames[code].editor);
        const QLatin1StringView word(kNames[code].importWord);
        if (field.compare(editor, Qt::CaseInsensitive) == 0)
            return code;
        if (!word.isEmpty() && field.compare(word, Qt::CaseInsensitive) == 0)
            return code;
    }
    return 0;
}

}  // namespace tk70::PointTypes
