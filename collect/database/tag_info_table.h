// The tag information table of a database file: one record per member tag of the group
// (name, address, point type, the four memberships, description), written when the file
// is made and compared field by field before a run appends to the file.
#pragma once

#include "collect/datafile/group_output.h"

#include <vector>

namespace tk70 {

class DaoDatabase;

// The description stored for a tag without one.
inline const char *const kBlankDescription = "(Blank Description)";

// Creates the table table in database and adds the records of columns; DaoException
// when the engine refuses.
void writeTagInfoTable(DaoDatabase &database, const QString &table, const std::vector<DataColumn> &columns);

// Whether the records of table describe columns, in order: name, loop, PCU, module,
// block and point type as 16-bit integers, the four memberships, and the description
// when the tag has one.  A table with fewer records than columns does not match; records
// beyond them are not looked at.  DaoException when the table cannot be read.
bool tagInfoTableMatches(DaoDatabase &database, const QString &table, const std::vector<DataColumn> &columns);

}  // namespace tk70
