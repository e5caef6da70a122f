// ThtmlLite: shows one HTML page from a string, scrolls it vertically and reports clicks on its
// links. It fetches nothing the page refers to, neither from the network nor from local files.
#pragma once

#include <QColor>
#include <QSet>
#include <QString>
#include <QTextBrowser>

#include <functional>

class ThtmlLite : public QTextBrowser {
    Q_OBJECT

public:
    // Sender, the link target as the page writes it, and whether the click was handled.
    using THotSpotClickEvent =
        std::function<void(QObject* Sender, const QString& SRC, bool& Handled)>;

    static const QColor kDefaultBackground; // RGB(64, 36, 174)

    explicit ThtmlLite(QWidget* parent = nullptr);

    // Replaces the page shown with `html`, read with the base reference `base` (empty here).
    // The page is reduced to markup that loads and embeds nothing first (pagefilter); a page
    // too large to lay out quickly is not shown, and the one before stays.
    void LoadFromString(const QString& html, const QString& base = QString());

    THotSpotClickEvent OnHotSpotClick;

    // Every resource the page names (pictures, style sheets) is left out.
    QVariant loadResource(int type, const QUrl& name) override;

signals:
    // A resource was asked for and refused; the filtered page should name none.
    void resourceRefused(int type, const QUrl& name);

private:
    void hotSpotClicked(const QUrl& link);
    void markVisited(const QString& target);

    QSet<QString> m_visited;
};
