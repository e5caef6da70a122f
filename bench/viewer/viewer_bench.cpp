// The high-score window's viewer against the largest and worst pages it can be given: the time
// to filter a page, and to show it (the viewer's parse and layout, on the GUI thread).
#include "htmllite.h"
#include "pagefilter.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string repeat(const std::string& part, std::size_t bytes) {
    std::string out;
    while (out.size() + part.size() <= bytes)
        out += part;
    return out;
}

// Pages of at most the size the fetch lets through.
std::string hostilePage(int kind) {
    const std::size_t limit = pagefilter::kMaxPageSize;
    switch (kind) {
    case 0: // the score program's list, as long as the bound allows
        return "<table>" +
               repeat("<tr><td align=right>1</td><td>Ann</td><td>1234</td><td>12/7/26</td></tr>",
                      limit - 16) +
               "</table>";
    case 1: // the most cells that fit
        return "<table>" + repeat("<tr><td>1<td>2<td>3<td>4", limit - 16) + "</table>";
    case 2: // tables nested as deep as they can be written
        return repeat("<table><tr><td>", limit);
    case 3: // one paragraph of text
        return repeat("word ", limit);
    case 4: // short paragraphs
        return repeat("<p>a</p>", limit);
    case 5: // list items
        return repeat("<li>a", limit);
    default: // emphasis as deep as it goes, then text
        return repeat("<b><i><u>", limit / 2) + repeat("word ", limit / 2);
    }
}

void BM_Filter(benchmark::State& state) {
    const std::string page = hostilePage(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(pagefilter::clean(page));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(page.size()));
}
BENCHMARK(BM_Filter)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

// Filtering, parsing and laying the page out at the window's size, as a list that arrives does.
void BM_Show(benchmark::State& state) {
    const QString page = QString::fromStdString(hostilePage(int(state.range(0))));
    ThtmlLite viewer;
    viewer.resize(479, 505);
    viewer.show();
    for (auto _ : state) {
        viewer.LoadFromString(page);
        viewer.document()->documentLayout()->documentSize();
        QApplication::processEvents();
        viewer.LoadFromString(QString());
    }
}
BENCHMARK(BM_Show)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
