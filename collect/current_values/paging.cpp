// Pages of 64 cells over the tag list.
#include "collect/current_values/paging.h"

#include "collect/current_values/page_geometry.h"

#include <algorithm>

namespace tk70 {

int pageCount(int tagCount) { return std::max(tagCount - 1, 0) / kCellsPerPage + 1; }

int firstPosition(int page) { return page * kCellsPerPage; }

int cellsInUse(int page, int tagCount) { return std::clamp(tagCount - firstPosition(page), 0, kCellsPerPage); }

bool prevPageShown(int page, int tagCount) { return tagCount > kCellsPerPage && page > 0; }

bool nextPageShown(int page, int tagCount) { return tagCount > kCellsPerPage && page < pageCount(tagCount) - 1; }

}  // namespace tk70
