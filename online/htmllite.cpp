// ThtmlLite: shows one HTML page from a string and reports clicks on its links.
#include "htmllite.h"

#include "navylook.h"
#include "pagefilter.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

const QColor ThtmlLite::kDefaultBackground(64, 36, 174);

namespace {

const QColor kVisited(192, 192, 192);

// The document itself reads pictures named by a local path when nobody else supplies them; this
// one supplies nothing.
class PageDocument : public QTextDocument {
public:
    explicit PageDocument(ThtmlLite* viewer) : QTextDocument(viewer), m_viewer(viewer) {}

protected:
    QVariant loadResource(int type, const QUrl& name) override {
        emit m_viewer->resourceRefused(type, name);
        return QVariant();
    }

private:
    ThtmlLite* m_viewer;
};

} // namespace

ThtmlLite::ThtmlLite(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("displayhtml"));
    setDocument(new PageDocument(this));
    // Links are the handler's to follow; the viewer itself goes nowhere and keeps no history.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::NoFrame);
    setUndoRedoEnabled(false);

    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, kDefaultBackground);
    palette.setColor(QPalette::Text, Qt::white);
    palette.setColor(QPalette::Link, Qt::red);
    palette.setColor(QPalette::LinkVisited, kVisited);
    setPalette(palette);
    document()->setDefaultFont(navylook::timesNewRoman(16));
    document()->setDefaultStyleSheet(QStringLiteral(
        "a { color: #ff0000; } pre, code, tt { font-family: \"Liberation Sans\", Arial; }"));
    // Nothing the page names is looked up anywhere, not even beside the program.
    setSearchPaths({});

    connect(this, &QTextBrowser::anchorClicked, this, &ThtmlLite::hotSpotClicked);
}

void ThtmlLite::LoadFromString(const QString& html, const QString& base) {
    const QByteArray page = html.toUtf8();
    if (std::size_t(page.size()) > pagefilter::kMaxPageSize)
        return;
    const std::string markup =
        pagefilter::clean(std::string_view(page.constData(), std::size_t(page.size())));
    document()->setBaseUrl(QUrl(base));
    setHtml(QString::fromUtf8(markup.data(), qsizetype(markup.size())));
    // Links already followed keep their colour in the new page.
    for (const QString& target : std::as_const(m_visited))
        markVisited(target);
}

QVariant ThtmlLite::loadResource(int type, const QUrl& name) {
    emit resourceRefused(type, name);
    return QVariant();
}

void ThtmlLite::hotSpotClicked(const QUrl& link) {
    const QString target = link.toString();
    bool handled = false;
    if (OnHotSpotClick)
        OnHotSpotClick(this, target, handled);
    m_visited.insert(target);
    markVisited(target);
}

void ThtmlLite::markVisited(const QString& target) {
    QTextCursor cursor(document());
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment part = fragment.fragment();
            if (!part.charFormat().isAnchor() ||
                QUrl(part.charFormat().anchorHref()).toString() != target)
                continue;
            cursor.setPosition(part.position());
            cursor.setPosition(part.position() + part.length(), QTextCursor::KeepAnchor);
            QTextCharFormat visited;
            visited.setForeground(kVisited);
            cursor.mergeCharFormat(visited);
        }
    }
}
