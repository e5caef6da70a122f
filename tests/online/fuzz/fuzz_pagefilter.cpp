// Fuzzes the list page's filter: whatever arrives, what reaches the viewer must be markup of
// the kept elements and attributes only, balanced, within every bound, with nothing that could
// name a resource to load.
#include "pagefilter.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

const char* const kElements[] = {
    "html",  "body",   "p",     "div", "center", "pre",  "blockquote", "address",
    "ul",    "ol",     "li",    "dl",  "dt",     "dd",   "table",      "caption",
    "thead", "tbody",  "tfoot", "tr",  "td",     "th",   "a",          "font",
    "br",    "hr",     "h1",    "h2",  "h3",     "h4",   "h5",         "h6",
    "b",     "strong", "i",     "em",  "u",      "s",    "strike",     "small",
    "big",   "sub",    "sup",   "tt",  "code",   "span", "nobr",       "style"};
const char* const kAttributes[] = {"align",       "valign",      "bgcolor", "text",    "link",
                                   "vlink",       "type",        "start",   "value",   "border",
                                   "cellpadding", "cellspacing", "width",   "colspan", "rowspan",
                                   "nowrap",      "href",        "name",    "color",   "size"};

bool listed(const char* const* names, std::size_t count, std::string_view name) {
    for (std::size_t i = 0; i < count; ++i)
        if (name == names[i])
            return true;
    return false;
}

bool isName(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

[[noreturn]] void fail() {
    std::abort();
}

// Checks one filtered page, independently of how the filter works.
void check(const std::string& out) {
    std::vector<std::string> open;
    int elements = 0, cells = 0, tables = 0;
    std::size_t i = 0;
    while (i < out.size()) {
        const char c = out[i];
        if (c == '>' || c == '\0')
            fail(); // markup characters in text are always references
        if (c == '&') {
            const std::size_t semicolon = out.find(';', i);
            if (semicolon == std::string::npos || semicolon - i > 34 || semicolon == i + 1)
                fail();
            for (std::size_t k = i + 1; k < semicolon; ++k)
                if (!std::isalnum(static_cast<unsigned char>(out[k])) && out[k] != '#')
                    fail();
            i = semicolon + 1;
            continue;
        }
        if (c != '<') {
            ++i;
            continue;
        }
        const bool closing = i + 1 < out.size() && out[i + 1] == '/';
        std::size_t at = i + (closing ? 2 : 1);
        const std::size_t start = at;
        while (at < out.size() && isName(out[at]))
            ++at;
        const std::string name = out.substr(start, at - start);
        if (!listed(kElements, sizeof kElements / sizeof *kElements, name))
            fail();
        while (at < out.size() && out[at] == ' ' && !closing) {
            const std::size_t attribute = ++at;
            while (at < out.size() && isName(out[at]))
                ++at;
            if (!listed(kAttributes, sizeof kAttributes / sizeof *kAttributes,
                        out.substr(attribute, at - attribute)))
                fail();
            if (at < out.size() && out[at] == '=') {
                if (out.compare(at, 2, "=\"") != 0)
                    fail();
                const std::size_t quote = out.find('"', at + 2);
                if (quote == std::string::npos ||
                    out.substr(at + 2, quote - at - 2).find_first_of("<>") != std::string::npos)
                    fail();
                at = quote + 1;
            }
        }
        if (at >= out.size() || out[at] != '>')
            fail();
        i = at + 1;
        if (name == "style") {
            const std::size_t end = out.find("</style>", i);
            if (closing || end == std::string::npos)
                fail();
            std::string css = out.substr(i, end - i);
            for (char& ch : css)
                ch = char(std::tolower(static_cast<unsigned char>(ch)));
            if (css.find("url") != std::string::npos || css.find('@') != std::string::npos ||
                css.find('\\') != std::string::npos)
                fail();
            i = end + 8;
            continue;
        }
        if (name == "br" || name == "hr") {
            if (closing)
                fail();
            ++elements;
            continue;
        }
        if (closing) {
            if (open.empty() || open.back() != name)
                fail();
            if (name == "table")
                --tables;
            open.pop_back();
            continue;
        }
        ++elements;
        cells += name == "td" || name == "th";
        tables += name == "table";
        open.push_back(name);
        if (int(open.size()) > pagefilter::kMaxDepth || tables > pagefilter::kMaxTableDepth)
            fail();
    }
    if (!open.empty() || elements > pagefilter::kMaxElements || cells > pagefilter::kMaxCells)
        fail();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view page(reinterpret_cast<const char*>(data), size);
    check(pagefilter::clean(page));
    return 0;
}
