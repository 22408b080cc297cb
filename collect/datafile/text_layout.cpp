// Choice of the text layout by file type: see text_layout.h.
#include "collect/datafile/text_layout.h"

#include "collect/datafile/ascii_layout.h"
#include "collect/datafile/csv_layout.h"
#include "collect/datafile/dos_layout.h"
#include "tags/collection_group.h"

namespace tk70 {

std::unique_ptr<TextLayout> makeTextLayout(const QString &fileType)
{
    if (fileType == QLatin1String(kFileTypeAscii))
        return std::make_unique<AsciiLayout>();
    if (fileType == QLatin1String(kFileTypeCsv))
        return std::make_unique<CsvLayout>();
    if (fileType == QLatin1String(kFileTypeDos))
        return std::make_unique<DosLayout>();
    return nullptr;
}

}  // namespace tk70
