// Ttallylist: the tally window, a view of the player's tally (statistics and personal high
// scores) with a button that resets it. Its labels follow the tally whether it is shown or not.
#pragma once

#include "tallybook.h"

#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>

class ImageButton;
class LabelTable;
class TFlatPanel;
class TLbBackground;

class Ttallylist : public QWidget {
    Q_OBJECT

public:
    // `background` is a copy of the main window's cloth; `book` the tally it shows, which
    // outlives the window.
    Ttallylist(const QPixmap& background, TallyBook& book, QWidget* parent = nullptr);
    ~Ttallylist() override;

    // Shown without being modal, centred over the main window when it opens, brought to the
    // front when it is open already.
    void setVisible(bool visible) override;

    // Asks the reset question; a test may answer it instead of the player. Returns true only for
    // an explicit "Yes".
    std::function<bool(QWidget* parent)> confirmReset;

public slots:
    void button_resetClick();
    void button_doneClick();

private:
    QLabel* addLabel(const char* name, int left, int top, int width, Qt::Alignment alignment,
                     const QString& text = QString());
    void showTally();
    void createKeys();

    TallyBook& m_book;
    TLbBackground* LbBackground1;
    TFlatPanel* FlatPanel1;
    std::array<QLabel*, Tally::kStatistics + 1> mylabel{};
    std::array<QLabel*, Tally::kPlaces + 1> label_num{};
    std::array<QLabel*, Tally::kPlaces + 1> label_date{};
    std::array<QLabel*, Tally::kPlaces + 1> label_name{};
    std::array<QLabel*, Tally::kPlaces + 1> label_high{};
    ImageButton* button_resettally;
    ImageButton* button_done;
    LabelTable* table_places = nullptr; // the places for the keyboard and screen readers
    std::array<QString, Tally::kStatistics + 1> m_statisticNames;
};
