// Paging of the current-values page: 64 tags a page, which tag positions the visible page
// shows, which cells stay hidden, and which of the page buttons are shown.
#pragma once

namespace tk70 {

// (tagCount - 1) / 64 + 1, at least 1.
int pageCount(int tagCount);
// The tag position shown by cell 0 of page.
int firstPosition(int page);
// How many cells of page show a tag; the cells from there to 63 are hidden.
int cellsInUse(int page, int tagCount);

// "Prev. Page" shows beyond the first page, "Next Page" before the last one; neither
// when every tag fits on one page.  Both follow the page, so "Next Page" comes back
// after "Prev. Page" leaves the last page.
bool prevPageShown(int page, int tagCount);
bool nextPageShown(int page, int tagCount);

}  // namespace tk70
