// Reduces an HTML page from the network to the little markup a score list needs.
#include "pagefilter.h"

#include <algorithm>
#include <array>
#include <vector>

namespace pagefilter {

namespace {

enum class Kind {
    Align,    // a word from a short list
    Color,    // "#rrggbb" or a colour name
    Number,   // digits, clamped to the attribute's greatest value
    Length,   // digits, or digits and "%"
    Text,     // any text, escaped (link targets, anchor names)
    Flag,     // present or not
    FontSize, // 1 to 7, or a step of at most 7 up or down
    ListType, // a numbering or bullet style
};

struct Attribute {
    std::string_view name;
    Kind kind;
    int max = 0; // for numbers and lengths in pixels
};

struct Rule {
    std::string_view name;
    bool isVoid = false;
    bool block = false; // closes an open paragraph
    std::vector<Attribute> attributes;
};

const std::vector<Rule>& rules() {
    static const std::vector<Rule> table = [] {
        const Attribute align{"align", Kind::Align};
        const Attribute valign{"valign", Kind::Align};
        const Attribute bgcolor{"bgcolor", Kind::Color};
        std::vector<Rule> list = {
            {"html", false, false, {}},
            {"body",
             false,
             false,
             {bgcolor, {"text", Kind::Color}, {"link", Kind::Color}, {"vlink", Kind::Color}}},
            {"p", false, true, {align}},
            {"div", false, true, {align}},
            {"center", false, true, {}},
            {"pre", false, true, {}},
            {"blockquote", false, true, {}},
            {"address", false, true, {}},
            {"ul", false, true, {{"type", Kind::ListType}}},
            {"ol", false, true, {{"type", Kind::ListType}, {"start", Kind::Number, 1000000}}},
            {"li", false, false, {{"type", Kind::ListType}, {"value", Kind::Number, 1000000}}},
            {"dl", false, true, {}},
            {"dt", false, false, {}},
            {"dd", false, false, {}},
            {"table",
             false,
             true,
             {{"border", Kind::Number, 8},
              {"cellpadding", Kind::Number, 20},
              {"cellspacing", Kind::Number, 20},
              {"width", Kind::Length, 2000},
              bgcolor,
              align}},
            {"caption", false, false, {align}},
            {"thead", false, false, {}},
            {"tbody", false, false, {}},
            {"tfoot", false, false, {}},
            {"tr", false, false, {bgcolor, align, valign}},
            {"td",
             false,
             false,
             {bgcolor,
              align,
              valign,
              {"colspan", Kind::Number, 16},
              {"rowspan", Kind::Number, 16},
              {"width", Kind::Length, 2000},
              {"nowrap", Kind::Flag}}},
            {"a", false, false, {{"href", Kind::Text}, {"name", Kind::Text}}},
            {"font", false, false, {{"color", Kind::Color}, {"size", Kind::FontSize}}},
            {"br", true, false, {}},
            {"hr", true, true, {{"width", Kind::Length, 2000}, align}},
        };
        Rule th = list[std::size_t(
            std::find_if(list.begin(), list.end(), [](const Rule& r) { return r.name == "td"; }) -
            list.begin())];
        th.name = "th";
        list.push_back(th);
        for (std::string_view heading : {"h1", "h2", "h3", "h4", "h5", "h6"})
            list.push_back({heading, false, true, {align}});
        for (std::string_view inline_ : {"b", "strong", "i", "em", "u", "s", "strike", "small",
                                         "big", "sub", "sup", "tt", "code", "span", "nobr"})
            list.push_back({inline_, false, false, {}});
        return list;
    }();
    return table;
}

const Rule* findRule(std::string_view name) {
    for (const Rule& rule : rules())
        if (rule.name == name)
            return &rule;
    return nullptr;
}

// Elements left out together with everything they hold: what they hold is either something
// loaded or run, or text meant for a program that cannot show the element.
bool dropsContent(std::string_view name) {
    static constexpr std::array<std::string_view, 22> kNames = {
        "script",   "style",    "object", "iframe", "frameset", "applet",   "noembed", "noframes",
        "noscript", "template", "svg",    "math",   "textarea", "select",   "title",   "audio",
        "video",    "canvas",   "map",    "xmp",    "listing",  "plaintext"};
    return std::find(kNames.begin(), kNames.end(), name) != kNames.end();
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool isAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHex(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = lower(c);
    return out;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// The length of a well-formed character reference at `at` ("&amp;", "&#233;", "&#xE9;"), or 0.
std::size_t entityLength(std::string_view text, std::size_t at) {
    std::size_t i = at + 1;
    if (i < text.size() && text[i] == '#') {
        ++i;
        const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
        i += hex ? 1 : 0;
        const std::size_t digits = i;
        unsigned long value = 0;
        while (i < text.size() && i - digits < 8 && (hex ? isHex(text[i]) : isDigit(text[i]))) {
            const char c = lower(text[i]);
            value = value * (hex ? 16 : 10) + unsigned(isDigit(c) ? c - '0' : c - 'a' + 10);
            ++i;
        }
        const bool ok = i > digits && i < text.size() && text[i] == ';' && value > 0 &&
                        value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
        return ok ? i + 1 - at : 0;
    }
    const std::size_t name = i;
    while (i < text.size() && i - name < 32 && (isAlpha(text[i]) || isDigit(text[i])))
        ++i;
    return i > name && i < text.size() && isAlpha(text[name]) && text[i] == ';' ? i + 1 - at : 0;
}

// Copies text so that it can only be text: markup characters become references, a stray "&"
// is escaped, control characters are left out.
void appendEscaped(std::string& out, std::string_view text, bool attribute) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"' && attribute) {
            out += "&quot;";
        } else if (c == '&') {
            const std::size_t length = entityLength(text, i);
            if (length == 0) {
                out += "&amp;";
            } else {
                out.append(text.substr(i, length));
                i += length - 1;
            }
        } else if (static_cast<unsigned char>(c) < 0x20 && !isSpace(c)) {
            continue;
        } else {
            out += attribute && isSpace(c) ? ' ' : c;
        }
    }
}

bool allOf(std::string_view text, bool (*test)(char)) {
    return std::all_of(text.begin(), text.end(), test);
}

// The value an attribute may keep, or false when it is left out.
bool acceptValue(const Attribute& attribute, std::string_view raw, std::string& value) {
    const std::string_view text = trimmed(raw);
    const std::string low = lowered(text);
    switch (attribute.kind) {
    case Kind::Align: {
        static constexpr std::array<std::string_view, 8> kWords = {
            "left", "right", "center", "justify", "top", "middle", "bottom", "baseline"};
        value = low;
        return std::find(kWords.begin(), kWords.end(), low) != kWords.end();
    }
    case Kind::Color: {
        const std::string_view body = !text.empty() && text[0] == '#' ? text.substr(1) : text;
        value = std::string(text);
        return !body.empty() && body.size() <= 20 &&
               allOf(body, [](char c) { return isAlpha(c) || isDigit(c); });
    }
    case Kind::Number:
    case Kind::Length: {
        const bool percent = attribute.kind == Kind::Length && !text.empty() && text.back() == '%';
        const std::string_view digits = percent ? text.substr(0, text.size() - 1) : text;
        if (digits.empty() || digits.size() > 9 || !allOf(digits, isDigit))
            return false;
        long number = std::stol(std::string(digits));
        number = std::min<long>(number, percent ? 100 : attribute.max);
        if (attribute.name == "colspan" || attribute.name == "rowspan")
            number = std::max<long>(number, 1);
        value = std::to_string(number) + (percent ? "%" : "");
        return true;
    }
    case Kind::Text:
        if (raw.size() > 2048)
            return false;
        appendEscaped(value, raw, true);
        return true;
    case Kind::Flag:
        return true;
    case Kind::FontSize: {
        const std::string_view digit =
            !text.empty() && (text[0] == '+' || text[0] == '-') ? text.substr(1) : text;
        value = std::string(text);
        return digit.size() == 1 && digit[0] >= '1' && digit[0] <= '7';
    }
    case Kind::ListType: {
        static constexpr std::array<std::string_view, 8> kTypes = {"1", "a",    "A",      "i",
                                                                   "I", "disc", "circle", "square"};
        value = std::string(text);
        return std::find(kTypes.begin(), kTypes.end(), text) != kTypes.end();
    }
    }
    return false;
}

// Properties a style sheet may set: colours, alignment, emphasis and spacing. Sizes of text and
// font families are not among them: each family is a font lookup, and a huge font a huge glyph.
bool allowedProperty(std::string_view name) {
    static constexpr std::array<std::string_view, 9> kNames = {
        "color",       "background-color", "background",      "text-align", "vertical-align",
        "font-weight", "font-style",       "text-decoration", "white-space"};
    static constexpr std::array<std::string_view, 3> kFamilies = {"padding", "margin", "border"};
    if (std::find(kNames.begin(), kNames.end(), name) != kNames.end())
        return true;
    return std::any_of(kFamilies.begin(), kFamilies.end(), [&](std::string_view family) {
        return name.substr(0, family.size()) == family &&
               (name.size() == family.size() || name[family.size()] == '-');
    });
}

// Numbers in a style sheet stay small (at most two digits) so that no padding, margin or border
// can make the page huge; the digits of a "#rrggbb" colour do not count.
bool smallNumbers(std::string_view value) {
    for (std::size_t i = 0; i < value.size();) {
        if (value[i] == '#') {
            while (++i < value.size() && (isAlpha(value[i]) || isDigit(value[i]))) {
            }
        } else if (isDigit(value[i])) {
            const std::size_t start = i;
            while (i < value.size() && isDigit(value[i]))
                ++i;
            if (i - start > 2)
                return false;
        } else {
            ++i;
        }
    }
    return true;
}

// A style sheet keeps only declarations of allowed properties with small values, under plain
// selectors; it is dropped whole when it could name something to load (no "url(", no "@import",
// no escapes that could spell either) or is not a plain list of rules. Empty when nothing stays.
std::string cleanStyle(std::string_view css) {
    if (css.size() > 8192)
        return {};
    for (char c : css) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '@' || c == '\\' || c == '<' || u >= 0x7F || (u < 0x20 && !isSpace(c)))
            return {};
    }
    const std::string low = lowered(css);
    if (low.find("url") != std::string::npos || low.find("import") != std::string::npos)
        return {};
    std::string out;
    std::size_t at = 0;
    while (at < low.size()) {
        const std::size_t open = low.find('{', at);
        if (open == std::string::npos)
            return trimmed(std::string_view(low).substr(at)).empty() ? out : std::string();
        const std::size_t close = low.find('}', open);
        const std::string_view selectors = trimmed(std::string_view(low).substr(at, open - at));
        if (close == std::string::npos || low.find('{', open + 1) < close || selectors.empty() ||
            !allOf(selectors, [](char c) {
                return isAlpha(c) || isDigit(c) || isSpace(c) ||
                       std::string_view(",.#:>*_-").find(c) != std::string_view::npos;
            }))
            return {};
        std::string kept;
        std::string_view declarations = std::string_view(low).substr(open + 1, close - open - 1);
        while (!declarations.empty()) {
            const std::size_t end = std::min(declarations.find(';'), declarations.size());
            const std::string_view declaration = trimmed(declarations.substr(0, end));
            declarations.remove_prefix(std::min(end + 1, declarations.size()));
            const std::size_t colon = declaration.find(':');
            if (colon == std::string_view::npos ||
                !allowedProperty(trimmed(declaration.substr(0, colon))) ||
                !smallNumbers(declaration.substr(colon + 1)))
                continue;
            kept += kept.empty() ? "" : ";";
            kept.append(declaration);
        }
        if (!kept.empty())
            out.append(selectors).append("{").append(kept).append("}");
        at = close + 1;
    }
    return out;
}

struct Tag {
    std::string name;
    std::vector<std::pair<std::string, std::string_view>> attributes;
};

class Filter {
public:
    explicit Filter(std::string_view page) : m_in(page), m_lower(lowered(page)) {
        m_out.reserve(page.size() + page.size() / 8);
    }

    std::string run() {
        while (m_pos < m_in.size() && !m_full) {
            if (m_in[m_pos] == '<') {
                markup();
            } else {
                const std::size_t end = std::min(m_in.find('<', m_pos), m_in.size());
                std::size_t length = end - m_pos;
                if (m_text + length > kMaxText) {
                    length = kMaxText - m_text;
                    m_full = true;
                }
                appendEscaped(m_out, m_in.substr(m_pos, length), false);
                m_text += length;
                m_pos = end;
            }
        }
        popTo(0);
        return std::move(m_out);
    }

private:
    std::size_t find(std::string_view what, std::size_t from) const {
        const std::size_t at = m_lower.find(what, from);
        return at == std::string::npos ? m_in.size() : at;
    }

    // Moves past the next ">" from `from`, or to the end of the page.
    void skipPast(char what, std::size_t from) {
        const std::size_t at = m_in.find(what, from);
        m_pos = at == std::string_view::npos ? m_in.size() : at + 1;
    }

    std::string readName() {
        const std::size_t start = m_pos;
        while (m_pos < m_in.size() && (isAlpha(m_in[m_pos]) || isDigit(m_in[m_pos])))
            ++m_pos;
        return m_lower.substr(start, m_pos - start);
    }

    // Reads the attributes up to the tag's ">"; false when the page ends first.
    bool readAttributes(Tag& tag) {
        for (;;) {
            while (m_pos < m_in.size() && (isSpace(m_in[m_pos]) || m_in[m_pos] == '/'))
                ++m_pos;
            if (m_pos >= m_in.size())
                return false;
            if (m_in[m_pos] == '>') {
                ++m_pos;
                return true;
            }
            const std::size_t start = m_pos++;
            while (m_pos < m_in.size() && !isSpace(m_in[m_pos]) && m_in[m_pos] != '=' &&
                   m_in[m_pos] != '>' && m_in[m_pos] != '/')
                ++m_pos;
            std::string name = m_lower.substr(start, m_pos - start);
            while (m_pos < m_in.size() && isSpace(m_in[m_pos]))
                ++m_pos;
            std::string_view value;
            if (m_pos < m_in.size() && m_in[m_pos] == '=') {
                ++m_pos;
                while (m_pos < m_in.size() && isSpace(m_in[m_pos]))
                    ++m_pos;
                if (m_pos < m_in.size() && (m_in[m_pos] == '"' || m_in[m_pos] == '\'')) {
                    const std::size_t close = m_in.find(m_in[m_pos], m_pos + 1);
                    if (close == std::string_view::npos)
                        return false;
                    value = m_in.substr(m_pos + 1, close - m_pos - 1);
                    m_pos = close + 1;
                } else {
                    const std::size_t from = m_pos;
                    while (m_pos < m_in.size() && !isSpace(m_in[m_pos]) && m_in[m_pos] != '>')
                        ++m_pos;
                    value = m_in.substr(from, m_pos - from);
                }
            }
            if (tag.attributes.size() < 32)
                tag.attributes.emplace_back(std::move(name), value);
        }
    }

    void markup() {
        const std::string_view rest = m_in.substr(m_pos);
        const bool tag = rest.size() > 1 &&
                         (isAlpha(rest[1]) || rest[1] == '!' || rest[1] == '?' || rest[1] == '/');
        if (tag && ++m_tags > kMaxTags) {
            m_full = true;
            return;
        }
        if (rest.substr(0, 4) == "<!--") {
            const std::size_t end = m_in.find("-->", m_pos + 4);
            m_pos = end == std::string_view::npos ? m_in.size() : end + 3;
        } else if (rest.size() > 1 && (rest[1] == '!' || rest[1] == '?')) {
            skipPast('>', m_pos);
        } else if (rest.size() > 2 && rest[1] == '/' && isAlpha(rest[2])) {
            m_pos += 2;
            const std::string name = readName();
            skipPast('>', m_pos);
            closeTag(name);
        } else if (rest.size() > 1 && isAlpha(rest[1])) {
            ++m_pos;
            Tag tag;
            tag.name = readName();
            if (!readAttributes(tag)) {
                m_pos = m_in.size(); // a tag the page never ends is dropped with the rest
                return;
            }
            openTag(tag);
        } else {
            ++m_pos; // a "<" that starts no tag is text
            if (m_text >= kMaxText) {
                m_full = true;
                return;
            }
            ++m_text;
            m_out += "&lt;";
        }
    }

    // Skips what an element left out holds, up to and past its end tag.
    void skipContent(const std::string& name) {
        const std::size_t contentStart = m_pos;
        const std::size_t end = find("</" + name, m_pos);
        if (name == "style" && end < m_in.size()) {
            const std::string_view css = m_in.substr(contentStart, end - contentStart);
            const std::string sheet = cleanStyle(css);
            if (!sheet.empty()) {
                m_out += "<style>";
                m_out += sheet;
                m_out += "</style>";
            }
        }
        skipPast('>', end);
    }

    // Closes the nearest open element named in `targets`, unless one named in `barriers` lies
    // nearer.
    template <std::size_t N, std::size_t M>
    void closeWithin(const std::array<std::string_view, N>& targets,
                     const std::array<std::string_view, M>& barriers) {
        for (std::size_t i = m_open.size(); i-- > 0;) {
            const std::string_view name = m_open[i]->name;
            if (std::find(targets.begin(), targets.end(), name) != targets.end()) {
                popTo(i);
                return;
            }
            if (std::find(barriers.begin(), barriers.end(), name) != barriers.end())
                return;
        }
    }

    // Closes the open elements from the innermost down to the one at `index`.
    void popTo(std::size_t index) {
        while (m_open.size() > index) {
            if (m_open.back()->name == "table")
                --m_tables;
            m_out += "</";
            m_out += m_open.back()->name;
            m_out += '>';
            m_open.pop_back();
        }
    }

    static bool tablePart(std::string_view name) {
        return name == "tr" || name == "td" || name == "th" || name == "thead" || name == "tbody" ||
               name == "tfoot" || name == "caption";
    }

    // What stands for a table part that is not kept: a space, so that its text stays apart from
    // its neighbours' and costs the viewer no more lines.
    void placeholder() { m_out += ' '; }

    // Counts one more element written; false (and the rest of the page is left out) when the
    // bound is reached.
    bool count() {
        if (m_elements >= kMaxElements)
            m_full = true;
        ++m_elements;
        return !m_full;
    }

    void impliedCloses(const Rule& rule) {
        static constexpr std::array<std::string_view, 1> kP = {"p"};
        static constexpr std::array<std::string_view, 15> kBlockScope = {
            "table", "td", "th", "tr",     "caption", "li",   "ul",  "ol",
            "dl",    "dd", "dt", "center", "div",     "body", "html"};
        if (rule.block)
            closeWithin(kP, kBlockScope);
        const std::string_view name = rule.name;
        if (name == "li") {
            closeWithin(std::array<std::string_view, 1>{"li"},
                        std::array<std::string_view, 5>{"ul", "ol", "table", "td", "th"});
        } else if (name == "dt" || name == "dd") {
            closeWithin(std::array<std::string_view, 2>{"dt", "dd"},
                        std::array<std::string_view, 4>{"dl", "table", "td", "th"});
        } else if (name == "tr") {
            closeWithin(std::array<std::string_view, 1>{"tr"},
                        std::array<std::string_view, 1>{"table"});
        } else if (name == "td" || name == "th") {
            closeWithin(std::array<std::string_view, 2>{"td", "th"},
                        std::array<std::string_view, 2>{"tr", "table"});
        } else if (name == "thead" || name == "tbody" || name == "tfoot") {
            closeWithin(std::array<std::string_view, 3>{"thead", "tbody", "tfoot"},
                        std::array<std::string_view, 1>{"table"});
        } else if (name == "a") {
            closeWithin(std::array<std::string_view, 1>{"a"},
                        std::array<std::string_view, 3>{"td", "th", "table"});
        }
    }

    void openTag(const Tag& tag) {
        if (dropsContent(tag.name)) {
            skipContent(tag.name);
            return;
        }
        const Rule* rule = findRule(tag.name);
        if (!rule)
            return;
        const bool deep = !rule->isVoid && int(m_open.size()) >= kMaxDepth;
        if (rule->name == "table" && (m_hiddenTables > 0 || m_tables >= kMaxTableDepth || deep)) {
            ++m_hiddenTables;
            placeholder();
            return;
        }
        if (tablePart(rule->name)) {
            const bool cell = rule->name == "td" || rule->name == "th";
            if (m_hiddenTables > 0 || m_tables == 0) {
                placeholder();
                return;
            }
            if (cell && ++m_cells > kMaxCells) {
                m_full = true;
                return;
            }
        }
        impliedCloses(*rule);
        if ((!rule->isVoid && int(m_open.size()) >= kMaxDepth) || !count())
            return;
        writeOpening(*rule, tag);
        if (rule->isVoid)
            return;
        m_open.push_back(rule);
        m_tables += rule->name == "table" ? 1 : 0;
    }

    void writeOpening(const Rule& rule, const Tag& tag) {
        m_out += '<';
        m_out += rule.name;
        std::vector<std::string_view> written;
        for (const auto& [name, raw] : tag.attributes) {
            const auto allowed =
                std::find_if(rule.attributes.begin(), rule.attributes.end(),
                             [&name = name](const Attribute& a) { return a.name == name; });
            if (allowed == rule.attributes.end() ||
                std::find(written.begin(), written.end(), allowed->name) != written.end())
                continue;
            std::string value;
            if (!acceptValue(*allowed, raw, value))
                continue;
            written.push_back(allowed->name);
            m_out += ' ';
            m_out += allowed->name;
            if (allowed->kind != Kind::Flag) {
                m_out += "=\"";
                m_out += value;
                m_out += '"';
            }
        }
        m_out += '>';
    }

    void closeTag(const std::string& name) {
        const Rule* rule = findRule(name);
        if (!rule || rule->isVoid || name == "html" || name == "body")
            return;
        if (m_hiddenTables > 0 && (name == "table" || tablePart(name))) {
            if (name == "table")
                --m_hiddenTables;
            placeholder();
            return;
        }
        // An end tag closes nothing outside its own table cell, and a table part nothing
        // outside its own table.
        for (std::size_t i = m_open.size(); i-- > 0;) {
            const std::string_view open = m_open[i]->name;
            if (open == name) {
                popTo(i);
                return;
            }
            if (name == "table")
                continue;
            if (open == "table" || (!tablePart(name) && (open == "td" || open == "th" ||
                                                         open == "tr" || open == "caption")))
                return;
        }
    }

    std::string_view m_in;
    std::string m_lower; // the page in lower case, for finding tags in any letter case
    std::size_t m_pos = 0;
    std::string m_out;
    std::vector<const Rule*> m_open;
    int m_tables = 0;       // tables open and kept
    int m_hiddenTables = 0; // tables open whose markup is left out
    int m_cells = 0;
    int m_elements = 0;
    int m_tags = 0;
    std::size_t m_text = 0;
    bool m_full = false; // a bound was reached: the rest of the page is left out
};

} // namespace

std::string clean(std::string_view page) {
    if (page.size() > kMaxPageSize)
        return {};
    return Filter(page).run();
}

} // namespace pagefilter
