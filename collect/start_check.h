// The checks that refuse a collection start: the tag list, every enabled group's
// settings (with a database group's tags that would name one column), enabled groups
// that would write one file, the trend graphs, and the question about tags that sit in
// groups that do not collect.  Nothing is opened before these pass.
#pragma once

#include <QString>
#include <optional>

namespace tk70 {

class CTagDoc;

// The first fault of the tag list, the enabled groups (in group order; a database group
// while the database engine is missing is a group's last fault), then of two enabled
// groups whose file names name one file, then of the trend graphs, as the message that
// refuses the start; nothing when the settings may start.
std::optional<QString> firstCollectionSettingsFault(const CTagDoc &doc);

// Whether two names would name one column of a database table: equal once the ASCII
// letters A-Z are taken as a-z, as the database compares column names.  Every other
// character, a non-ASCII letter too, must be equal as it is.
bool sameColumnName(const QString &a, const QString &b);

// The first fault of the trend graphs that have traces: a sample interval below 1.0, a
// trace whose tag is not in the list, a trace span of 0.  Nothing when all are sound.
std::optional<QString> firstTrendGraphFault(const CTagDoc &doc);

// Whether some tag is a member of a group that is not enabled.
bool tagsInDisabledGroups(const CTagDoc &doc);

// The whole check with its messages: a fault is shown with the stop icon and refuses;
// then, for tags in groups that do not collect, the user is asked whether to go on
// (skipped, as Yes, during an automatic start).  Returns true when the start may go on.
bool checkCollectionSettings(const CTagDoc &doc, bool automaticStart);

}  // namespace tk70
