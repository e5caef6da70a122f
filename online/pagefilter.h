// Reduces an HTML page from the network to the little markup a score list needs, before any
// renderer sees it. Plain C++, so that it can be fuzzed on its own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pagefilter {

// A page longer than this is not shown at all; the fetch of the list stops at the same bound.
constexpr std::size_t kMaxPageSize = 256 * 1024;
// Open elements at one time. The score list needs five or six (html, body, table, tr, td, b).
constexpr int kMaxDepth = 24;
// Tables inside tables: each level costs the viewer's layout a pass over everything inside it,
// so deeper nesting grows its time exponentially. The markup of deeper tables is left out and
// their text kept.
constexpr int kMaxTableDepth = 2;
// The viewer parses and lays out a page on the GUI thread, at some microseconds for every
// paragraph, row or cell, so what it is given is bounded: elements (each paragraph, line break,
// row, cell, emphasis ...), table cells, and characters of text. The score program's list of 100
// places needs about 520 elements, 404 cells and 3 KiB of text. A page that goes past a bound is
// shown up to that point.
constexpr int kMaxElements = 800;
constexpr int kMaxCells = 500;
constexpr std::size_t kMaxText = 16 * 1024;
// Tags read, kept or not: the filter's own work stays small whatever the page holds. The list
// has about 1,100.
constexpr int kMaxTags = 4000;

// Returns well-formed markup holding only text, paragraphs, headings, lists, tables, links,
// basic emphasis, colours and a style sheet that can load nothing. Everything that loads or
// embeds something (pictures, style imports, frames, objects, scripts, forms) is left out with
// what it holds; unknown tags are left out and their text kept. A page over kMaxPageSize gives
// an empty result; a page past one of the other bounds is cut there.
std::string clean(std::string_view page);

} // namespace pagefilter
