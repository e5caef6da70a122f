// Thighscore: the high-score window. It posts scores to the score server and shows the list
// page the server keeps.
#pragma once

#include "navywindow.h"

#include <QPixmap>
#include <QString>

class ImageButton;
class QLabel;
class TFlatPanel;
class TSelButton;
class THTTPGet;
class ThtmlLite;
class TURL;

class Thighscore : public TNavyWindow {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 603;
    static constexpr int kClientHeight = 561;

    // `backgroundTile` is the main window's cloth; `shortname` names the score program and the
    // list page on the server; `owner` is the window this one belongs to.
    Thighscore(const QPixmap& backgroundTile, const QString& shortname, QWidget* owner = nullptr);

    // Posts one score; the values are sent as they stand, encoded for the query. A game that
    // can prove its score adds its deal number and move line, a Deal of the Day also its date
    // ("YYYY-MM-DD"); once the post is taken, the window shows that day's list.
    void sendscore(const QString& name, const QString& date, const QString& score,
                   const QString& deal = {}, const QString& moves = {}, const QString& daily = {});
    // Fetches the list page afresh.
    void loadit();
    // Fetches the page of the Deal of the Day set by setDailyDate.
    void loadDaily();
    // The day ("YYYY-MM-DD") whose Deal of the Day list the window offers beside the main list;
    // empty for none.
    void setDailyDate(const QString& date);
    const QString& dailyDate() const { return m_dailyDate; }
    bool showingDaily() const { return m_showingDaily; }

    // The addresses used, on the server the settings name.
    QString scoreUrl(const QString& name, const QString& date, const QString& score,
                     const QString& deal = {}, const QString& moves = {},
                     const QString& daily = {}) const;
    QString listUrl() const;
    QString dailyListUrl(const QString& date) const;

    // Event handlers.
    void senditDoneString(QObject* Sender, const QByteArray& Result);
    void getitDoneString(QObject* Sender, const QByteArray& Result);
    void displayhtmlHotSpotClick(QObject* Sender, const QString& SRC, bool& Handled);
    void button_doneClick();
    // Switches between the main list and the day's list.
    void button_otherlistClick();

    // The window's controls, under the names the rest of the program knows them by.
    TFlatPanel* panel_main = nullptr;
    ThtmlLite* displayhtml = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    ImageButton* button_done = nullptr;
    TSelButton* button_otherlist = nullptr; // shown while a day's list is on offer
    THTTPGet* sendit = nullptr;
    THTTPGet* getit = nullptr;
    TURL* URL1 = nullptr;

signals:
    // The server took the score: the main window closes its panel and stops waiting.
    void posted();
    // The server answered with an error status: the score was not taken.
    void postFailed();

protected:
    void drawPictures(qreal ratio) override;

private:
    void FormCreate(const QPixmap& backgroundTile);
    void showStatus(const QString& text);

    void showingList(bool daily);

    QString m_shortname;
    QString m_dailyDate;
    bool m_showingDaily = false;
    QString m_postedDaily; // the day of the score being posted, if it is a Deal of the Day
};
