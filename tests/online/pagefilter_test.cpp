// The list page's filter on its own: what a score list needs stays, everything that loads or
// embeds goes, and no page can make the markup deep, unbalanced or unbounded.
#include "pagefilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string repeat(const std::string& part, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += part;
    return out;
}

// The names of the start and end tags in `markup`, with their nesting checked: every end tag
// closes the innermost open element. Returns false on the first mismatch.
bool balanced(const std::string& markup, int& deepest, std::vector<std::string>* names = nullptr) {
    std::vector<std::string> open;
    deepest = 0;
    for (std::size_t at = markup.find('<'); at != std::string::npos;
         at = markup.find('<', at + 1)) {
        const bool closing = markup[at + 1] == '/';
        std::size_t end = at + (closing ? 2 : 1);
        while (end < markup.size() && std::isalnum(static_cast<unsigned char>(markup[end])))
            ++end;
        const std::string name =
            markup.substr(at + (closing ? 2 : 1), end - at - (closing ? 2 : 1));
        if (names && !closing)
            names->push_back(name);
        if (name == "br" || name == "hr")
            continue;
        if (name == "style") { // its text is a style sheet, not markup
            at = markup.find("</style>", at);
            continue;
        }
        if (closing) {
            if (open.empty() || open.back() != name)
                return false;
            open.pop_back();
        } else {
            open.push_back(name);
            deepest = std::max(deepest, int(open.size()));
        }
    }
    return open.empty();
}

int count(const std::string& text, const std::string& part) {
    int found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

} // namespace

TEST(PageFilter, KeepsWhatAScoreListNeeds) {
    const std::pair<std::string, std::string> cases[] = {
        {"<p align=\"center\">Best: <b>Ann</b></p>", "<p align=\"center\">Best: <b>Ann</b></p>"},
        {"<H2 ALIGN=Center>Scores</H2>", "<h2 align=\"center\">Scores</h2>"},
        {"<table cellspacing=\"0\" cellpadding=\"3\"><tr><th align=\"right\">Rank</th>"
         "<td>Ann</td></tr></table>",
         "<table cellspacing=\"0\" cellpadding=\"3\"><tr><th align=\"right\">Rank</th>"
         "<td>Ann</td></tr></table>"},
        {"<font color=\"#ff0000\" size=+1>red</font>",
         "<font color=\"#ff0000\" size=\"+1\">red</font>"},
        {"<a href=\"http://example.org/a?b=c&amp;d=e\">x</a>",
         "<a href=\"http://example.org/a?b=c&amp;d=e\">x</a>"},
        {"<a href='rules.html'>r</a>", "<a href=\"rules.html\">r</a>"},
        {"<body bgcolor=\"#4024ae\" text=white>x</body>",
         "<body bgcolor=\"#4024ae\" text=\"white\">x</body>"},
        {"<ul><li>one<li>two</ul>", "<ul><li>one</li><li>two</li></ul>"},
        {"<i>a</i><em>b</em><u>c</u><br/>d<hr>", "<i>a</i><em>b</em><u>c</u><br>d<hr>"},
        {"Caf&eacute; &#233; &#xE9; &amp;", "Caf&eacute; &#233; &#xE9; &amp;"},
        {"<style>body{color:#fff}td{padding:2px 8px}</style>x",
         "<style>body{color:#fff}td{padding:2px 8px}</style>x"},
        {"<style>body{background:#4024ae;color:#fff;font-family:\"Times New Roman\",serif}"
         "table{margin:0 auto}th,td{padding:2px 8px}a{color:#f00}a:visited{color:#c0c0c0}"
         "td{font-size:99px}</style>",
         "<style>body{background:#4024ae;color:#fff}table{margin:0 auto}th,td{padding:2px 8px}"
         "a{color:#f00}a:visited{color:#c0c0c0}</style>"},
    };
    for (const auto& [page, kept] : cases)
        EXPECT_EQ(pagefilter::clean(page), kept) << page;
}

TEST(PageFilter, LeavesOutEverythingThatLoadsOrEmbeds) {
    const std::pair<std::string, std::string> cases[] = {
        {"a<img src=\"/etc/passwd\">b", "ab"},
        {"a<IMG SRC=fifo>b", "ab"},
        {"a<link rel=stylesheet href=x.css>b", "ab"},
        {"a<style>@import url(x.css);</style>b", "ab"},
        {"a<style>td{background-image:url(/etc/passwd)}</style>b", "ab"},
        {"a<style>td{background:\\75rl(x)}</style>b", "ab"},
        {"a<script>alert(1)</script>b", "ab"},
        {"a<SCRIPT>x</script >b", "ab"},
        {"a<iframe src=x>inner</iframe>b", "ab"},
        {"a<object data=x><param name=a value=b>inner</object>b", "ab"},
        {"a<embed src=x>b", "ab"},
        {"a<svg><image href=x /></svg>b", "ab"},
        {"<body background=\"x.png\">a</body>", "<body>a</body>"},
        {"<table background=x.png><tr><td background=y.png>a</td></tr></table>",
         "<table><tr><td>a</td></tr></table>"},
        {"<td style=\"background:url(x)\">a", " a"},
        {"<p style=\"background-image:url(x)\" onclick=\"x\">a</p>", "<p>a</p>"},
        {"a<!-- <img src=x> -->b", "ab"},
        {"<!DOCTYPE html><?xml x?>a", "a"},
        {"<head><title>T</title><meta http-equiv=refresh content=\"0;url=file:///x\">"
         "<base href=\"file:///\"></head>a",
         "a"},
        {"a<form action=x><input src=x type=image>b</form>", "ab"},
        {"a<video src=x>c</video><audio src=y>d</audio>b", "ab"},
        {"a<style>td{font-size:99999px;font-family:a,b,c;padding:999em}</style>b", "ab"},
        {"a<style>td{color:red}}td{color:red}</style>b", "ab"},
        {"a<style>td{color:red</style>b", "ab"},
        {"a<style>td[x]{color:red}</style>b", "ab"},
    };
    for (const auto& [page, kept] : cases)
        EXPECT_EQ(pagefilter::clean(page), kept) << page;
}

TEST(PageFilter, MarkupInTextOrValuesStaysText) {
    const std::pair<std::string, std::string> cases[] = {
        {"1 < 2 > 0", "1 &lt; 2 &gt; 0"},
        {"a & b &bogus &#0; &#xD800; &#99999999;", "a &amp; b &amp;bogus &amp;#0; &amp;#xD800; "
                                                   "&amp;#99999999;"},
        {"<a href='x\"><img src=y>'>l</a>", "<a href=\"x&quot;&gt;&lt;img src=y&gt;\">l</a>"},
        {"<font color=\"red;background:url(x)\">c</font>", "<font>c</font>"},
        {"<td colspan=999999999 rowspan=0 width=99999>", " "},
        {"<table width=99999 border=100><tr><td colspan=999999999 rowspan=0 width=50000%>x",
         "<table width=\"2000\" border=\"8\"><tr><td colspan=\"16\" rowspan=\"1\" width=\"100%\">x"
         "</td></tr></table>"},
        {std::string("a\0b\x01"
                     "c",
                     5),
         "abc"},
        {"a<img src=\"never closed", "a"},
        {"a<script>never closed", "a"},
        {"a<", "a&lt;"},
        {"a</>b", "a&lt;/&gt;b"},
        {"</b></table></td>a", "a"},
    };
    for (const auto& [page, kept] : cases)
        EXPECT_EQ(pagefilter::clean(page), kept) << page;
}

TEST(PageFilter, NestingIsBoundedAndAlwaysBalanced) {
    struct Case {
        const char* what;
        std::string page;
        int maxTables;
        bool whole; // short enough to be kept to its end
    } cases[] = {
        {"20 nested tables", repeat("<table><tr><td>", 20) + "x" + repeat("</td></tr></table>", 20),
         pagefilter::kMaxTableDepth, true},
        {"40 nested tables", repeat("<table><tr><td>", 40) + "x", pagefilter::kMaxTableDepth, true},
        {"5000 nested tables", repeat("<table><tr><td>", 5000) + "x", pagefilter::kMaxTableDepth,
         false},
        {"5000 nested tables closed",
         repeat("<table><tr><td>", 5000) + "x" + repeat("</td></tr></table>", 5000),
         pagefilter::kMaxTableDepth, false},
        {"5000 nested blockquotes", repeat("<blockquote><div><ul><li>", 5000) + "x", 0, false},
        {"5000 unclosed emphasis", repeat("<b><i><font color=red>", 5000) + "x", 0, false},
        {"misnested", repeat("<b><i></b></i><table><td><p></table></p>", 100) + "x", 1, true},
        {"cells without rows", repeat("<td>a", 100) + "<table>" + repeat("<td>b", 100) + "x", 1,
         true},
    };
    for (const Case& c : cases) {
        const std::string markup = pagefilter::clean(c.page);
        int deepest = 0;
        std::vector<std::string> names;
        EXPECT_TRUE(balanced(markup, deepest, &names)) << c.what;
        EXPECT_LE(deepest, pagefilter::kMaxDepth) << c.what;
        int tableDepth = 0, deepestTable = 0;
        for (std::size_t at = 0; (at = markup.find("<", at)) != std::string::npos; ++at) {
            if (markup.compare(at, 6, "<table") == 0)
                deepestTable = std::max(deepestTable, ++tableDepth);
            else if (markup.compare(at, 8, "</table>") == 0)
                --tableDepth;
        }
        EXPECT_LE(deepestTable, c.maxTables) << c.what;
        EXPECT_EQ(markup.find('x') != std::string::npos, c.whole) << c.what;
    }
}

TEST(PageFilter, LongPagesAreCutAtTheirBoundsAndStayBalanced) {
    const std::string row = "<tr><td>1</td><td>Ann</td><td>1234</td><td>12/7/26</td></tr>\n";
    const struct {
        const char* what;
        std::string page;
        std::string part; // what is counted in the result
        int kept;
    } cases[] = {
        {"cells", "<table>" + repeat(row, 3000) + "</table>", "<td>", pagefilter::kMaxCells},
        {"rows of cells", "<table>" + repeat(row, 3000) + "</table>", "Ann",
         pagefilter::kMaxCells / 4},
        {"paragraphs", repeat("<p>a</p>", 5000), "<p>", pagefilter::kMaxElements},
        {"line breaks", repeat("a<br>", 5000), "<br>", pagefilter::kMaxElements},
        {"text", std::string(pagefilter::kMaxPageSize, 'a'), "a", int(pagefilter::kMaxText)},
        {"tags of no kind kept", repeat("<x>", 5000) + "y", "y", 0},
        {"text of stray brackets", repeat("< ", 100000), "&lt;", int(pagefilter::kMaxText / 2)},
    };
    for (const auto& c : cases) {
        ASSERT_LE(c.page.size(), pagefilter::kMaxPageSize) << c.what;
        const std::string markup = pagefilter::clean(c.page);
        EXPECT_EQ(count(markup, c.part), c.kept) << c.what;
        int deepest = 0;
        EXPECT_TRUE(balanced(markup, deepest)) << c.what;
    }
    EXPECT_EQ(pagefilter::clean(std::string(pagefilter::kMaxPageSize + 1, 'a')), "");
}
