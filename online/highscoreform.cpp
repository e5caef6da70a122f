// Thighscore: the high-score window, posting scores and showing the list page.
#include "highscoreform.h"

#include "artwork.h"
#include "buttoncomps.h"
#include "errorbox.h"
#include "fetchcore.h"
#include "flatpanel.h"
#include "htmllite.h"
#include "httpget.h"
#include "imagebutton.h"
#include "lbback.h"
#include "navylook.h"
#include "pagefilter.h"
#include "serveraddress.h"
#include "url.h"

#include <QLabel>
#include <QShortcut>
#include <QUrl>

namespace {

// The score program answers a post with a line or two; a few KiB leave room for an error page.
constexpr qint64 kMaxAnswerSize = 4 * 1024;
// Within the main window's forty-second wait, so a trickling answer fails before it does.
constexpr int kAnswerDeadlineMs = 30000;
// The list page comes from the network and is hostile until bounded: 256 KiB is many times the
// list the score program writes; the viewer shows no larger page anyway.
constexpr qint64 kMaxListSize = qint64(pagefilter::kMaxPageSize);
constexpr int kListDeadlineMs = 30000;

QString encoded(const QString& value) {
    return QString::fromStdString(fetch::encodeQueryValue(value.toStdString()));
}

// What the list window says while it has no list to show.
const char* const kFetching = QT_TRANSLATE_NOOP("Thighscore", "Fetching the high score list...");
const char* const kNotFetched =
    QT_TRANSLATE_NOOP("Thighscore", "The high score list could not be fetched. The score server "
                                    "cannot be reached; open the list again to try once more.");

} // namespace

Thighscore::Thighscore(const QPixmap& backgroundTile, const QString& shortname, QWidget* owner)
    : TNavyWindow(owner, "highscore", tr("Solmarin - High Scores"),
                  QSize(kClientWidth, kClientHeight)),
      m_shortname(shortname) {
    panel_main = new TFlatPanel(this);
    panel_main->setObjectName(QStringLiteral("panel_main"));
    panel_main->setGeometry(kClientWidth - 481 - 8, 8, 481, 507);
    panel_main->setColorHighLight(Qt::white);
    panel_main->setColorShadow(Qt::white);
    displayhtml = new ThtmlLite(panel_main);
    displayhtml->setGeometry(1, 1, 479, 505);
    displayhtml->OnHotSpotClick = [this](QObject* sender, const QString& src, bool& handled) {
        errorbox::guard([&] { displayhtmlHotSpotClick(sender, src, handled); });
    };

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(20, 16, artwork::kCardWidth, artwork::kCardHeight);
    const QFont font = navylook::timesNewRoman(15, true);
    Label1 = navylook::label(this, "Label1", tr("Solmarin High Score List"), 8, 470, font);
    Label1->setGeometry(6, 452, 100, 40);
    Label1->setWordWrap(true);
    Label2 = navylook::label(this, "Label2", QStringLiteral("Velbor Software"), 6, 500, font);
    Label2->setGeometry(6, 496, 100, 40);
    Label2->setWordWrap(true);

    button_done = new ImageButton(this);
    button_done->setObjectName(QStringLiteral("button_done"));
    button_done->setGeometry(kClientWidth - 126 - 8, kClientHeight - 40 - 4, 126, 40);
    button_done->setCursor(Qt::PointingHandCursor);
    button_done->setAccessibleName(tr("DONE"));
    button_done->setFocusPolicy(Qt::TabFocus);
    button_done->setPictureSource([](qreal dpr) { return artwork::button(tr("DONE"), dpr); });
    connect(button_done, &ImageButton::clicked, this,
            [this] { errorbox::guard([this] { button_doneClick(); }); });

    // Beneath the card, in the column left of the list.
    button_otherlist = new TSelButton(QStringLiteral("button_otherlist"), this);
    button_otherlist->setGeometry(6, 130, 100, TSelButton::kDefaultHeight);
    navylook::styleButton(button_otherlist, tr("Deal of the Day"), Qt::AlignHCenter);
    button_otherlist->hide();
    connect(button_otherlist, &TSelButton::clicked, this,
            [this] { errorbox::guard([this] { button_otherlistClick(); }); });

    sendit = new THTTPGet(this);
    sendit->setObjectName(QStringLiteral("sendit"));
    sendit->MaxBodySize = kMaxAnswerSize;
    sendit->Deadline = kAnswerDeadlineMs;
    sendit->OnDoneString = [this](QObject* sender, const QByteArray& result) {
        errorbox::guard([&] { senditDoneString(sender, result); });
    };
    getit = new THTTPGet(this);
    getit->setObjectName(QStringLiteral("getit"));
    getit->MaxBodySize = kMaxListSize;
    // Our server hands out a gzip copy of the list, a tenth of its bytes.
    getit->Compressed = true;
    getit->Deadline = kListDeadlineMs;
    getit->OnDoneString = [this](QObject* sender, const QByteArray& result) {
        errorbox::guard([&] { getitDoneString(sender, result); });
    };
    getit->OnError = [this](QObject*) { showStatus(tr(kNotFetched)); };

    URL1 = new TURL(this);
    URL1->setObjectName(QStringLiteral("URL1"));
    URL1->setUrlType(TURL::utnone);

    FormCreate(backgroundTile);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this,
            [this] { errorbox::guard([this] { button_doneClick(); }); });
}

void Thighscore::FormCreate(const QPixmap& backgroundTile) {
    LbBackground1->setPicture(backgroundTile);
}

void Thighscore::drawPictures(qreal ratio) {
    Image1->setPixmap(artwork::card(40, ratio)); // the Ace of Spades
}

QString Thighscore::scoreUrl(const QString& name, const QString& date, const QString& score,
                             const QString& deal, const QString& moves,
                             const QString& daily) const {
    // Every value is encoded, so a blank, "&", "=" or "#" in a name cannot break the request
    // or change its query; the server decodes them back to the name as typed.
    QString url = QString::fromStdString(serveraddress::baseUrl()) + QStringLiteral("/cgi-bin/") +
                  m_shortname + QStringLiteral(".cgi?name=") + encoded(name) +
                  QStringLiteral("&date=") + encoded(date) + QStringLiteral("&score=") +
                  encoded(score);
    if (!deal.isEmpty())
        url +=
            QStringLiteral("&deal=") + encoded(deal) + QStringLiteral("&moves=") + encoded(moves);
    if (!daily.isEmpty())
        url += QStringLiteral("&daily=") + encoded(daily);
    return url;
}

QString Thighscore::listUrl() const {
    return QString::fromStdString(serveraddress::baseUrl()) + QStringLiteral("/counter/") +
           m_shortname + QStringLiteral(".shtml");
}

QString Thighscore::dailyListUrl(const QString& date) const {
    return QString::fromStdString(serveraddress::baseUrl()) + QStringLiteral("/counter/daily/") +
           date + QStringLiteral(".shtml");
}

void Thighscore::sendscore(const QString& name, const QString& date, const QString& score,
                           const QString& deal, const QString& moves, const QString& daily) {
    m_postedDaily = daily;
    sendit->URL = scoreUrl(name, date, score, deal, moves, daily);
    sendit->StartFetch();
}

void Thighscore::loadit() {
    getit->PostQuery.clear();
    getit->URL = listUrl();
    // Said first: a fetch that cannot even start reports so at once.
    showStatus(tr(kFetching));
    getit->StartFetch();
    showingList(false);
}

void Thighscore::loadDaily() {
    if (m_dailyDate.isEmpty())
        return loadit();
    getit->PostQuery.clear();
    getit->URL = dailyListUrl(m_dailyDate);
    getit->StartFetch();
    showingList(true);
}

void Thighscore::setDailyDate(const QString& date) {
    m_dailyDate = date;
    showingList(m_showingDaily && !date.isEmpty());
}

void Thighscore::showingList(bool daily) {
    m_showingDaily = daily;
    button_otherlist->setCaption(daily ? tr("All Scores") : tr("Deal of the Day"));
    button_otherlist->setVisible(!m_dailyDate.isEmpty());
}

void Thighscore::button_otherlistClick() {
    if (m_showingDaily)
        loadit();
    else
        loadDaily();
}

// A line of the window's own in the viewer, in place of the list.
void Thighscore::showStatus(const QString& text) {
    displayhtml->LoadFromString(QStringLiteral("<p align=\"center\"><br>") + text.toHtmlEscaped() +
                                QStringLiteral("</p>"));
}

void Thighscore::senditDoneString(QObject*, const QByteArray&) {
    // An error page is an answer, but not a taken score.
    if (sendit->StatusCode() >= 400) {
        emit postFailed();
        return;
    }
    emit posted();
    if (!m_postedDaily.isEmpty()) {
        setDailyDate(m_postedDaily);
        loadDaily();
    } else {
        loadit();
    }
    show();
}

void Thighscore::getitDoneString(QObject*, const QByteArray& Result) {
    // A day's page is made with its first score; until then the server has none to give.
    if (getit->StatusCode() == 404 && getit->URL.contains(QStringLiteral("/counter/daily/"))) {
        showStatus(
            tr("No scores have been posted for the Deal of the Day of %1 yet.").arg(m_dailyDate));
        return;
    }
    // An error page in place of the list is no list.
    if (getit->StatusCode() >= 400) {
        showStatus(tr(kNotFetched));
        return;
    }
    displayhtml->LoadFromString(QString::fromUtf8(Result), QString());
}

void Thighscore::displayhtmlHotSpotClick(QObject*, const QString& SRC, bool&) {
    // Only web pages leave the window; a link relative to the list page is read against it.
    const QUrl target = QUrl(listUrl()).resolved(QUrl(SRC));
    const QString scheme = target.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return;
    URL1->setUrl(target.toString(QUrl::FullyEncoded));
    URL1->open();
}

void Thighscore::button_doneClick() {
    hide();
}
