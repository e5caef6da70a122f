// Thighscore: the high-score window. It posts scores to the score server and shows the list
// page the server keeps.
#pragma once

#include "navywindow.h"

#include <QPixmap>
#include <QString>

class ImageButton;
class QLabel;
class TFlatPanel;
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

    // Posts one score; the three values are sent as they stand, encoded for the query.
    void sendscore(const QString& name, const QString& date, const QString& score);
    // Fetches the list page afresh.
    void loadit();

    // The addresses used, on the server the settings name.
    QString scoreUrl(const QString& name, const QString& date, const QString& score) const;
    QString listUrl() const;

    // Event handlers.
    void senditDoneString(QObject* Sender, const QByteArray& Result);
    void getitDoneString(QObject* Sender, const QByteArray& Result);
    void displayhtmlHotSpotClick(QObject* Sender, const QString& SRC, bool& Handled);
    void button_doneClick();

    // The window's controls, under the names the rest of the program knows them by.
    TFlatPanel* panel_main = nullptr;
    ThtmlLite* displayhtml = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    ImageButton* button_done = nullptr;
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

    QString m_shortname;
};
