// The text format of PostgreSQL's COPY: one row a line, fields separated by a tab,
// \N for NULL, and the backslash escapes that keep a tab, a line end or a backslash
// inside a field.  Pure functions, so that every byte of a hostile tag name or
// description is tested.
#pragma once

#include "collect/historian/historian_rows.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tk70 {

// Appends text as one escaped COPY field.  A NUL byte, which no PostgreSQL text can
// hold, is left out.
void appendCopyField(std::string &line, std::string_view text);
// Appends a number exactly (the shortest text that reads back as the same double, in
// the C locale), or \N when there is none or it is not finite.
void appendCopyNumber(std::string &line, const std::optional<double> &value);
// Appends one sample as a COPY line of the columns station, tag, ts_us, value,
// bad_quality, point_error, ended by a line end.
void appendCopyLine(std::string &out, const HistorianSample &sample);

}  // namespace tk70
