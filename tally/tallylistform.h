// Ttallylist: the tally window, showing the player's statistics and personal high scores. It owns
// the tally and its file, and its labels follow the tally's rules whether it is shown or not.
#pragma once

#include "tally.h"
#include "tallystore.h"

#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>

class ImageButton;
class TFlatPanel;
class TLbBackground;

class Ttallylist : public QWidget {
    Q_OBJECT

public:
    // `background` is a copy of the main window's cloth; `tallyFile` the full path of the tally
    // file. The window starts with the default tally; FormCreate loads the file.
    Ttallylist(const QPixmap& background, const std::string& tallyFile, QWidget* parent = nullptr);
    ~Ttallylist() override;

    // Loads the tally file and fills the labels. A file that cannot be read throws after the
    // labels show the table as it stands, so the caller can report it and go on.
    void FormCreate();
    // Saves the tally file; failures are silent to the player.
    void FormDestroy();
    void loadtally();

    // The tally's reports, as the game makes them.
    int addit(int column, int row) { return m_tally.addit(column, row); }
    void addtomineincrease(int column) { m_tally.addtomineincrease(column); }
    void addtomineset(int column, const std::string& text) { m_tally.addtomineset(column, text); }
    void checkforhigher(int column, int value) { m_tally.checkforhigher(column, value); }
    bool checkscore(int score, const std::string& name) { return m_tally.checkscore(score, name); }

    // Writes the tally now, as at exit, so that a killed process loses at most the game in
    // progress. Returns false when the file could not be written.
    bool saveNow();

    // Shown without being modal, centred over the main window when it opens, brought to the
    // front when it is open already.
    void setVisible(bool visible) override;

    const Tally& tally() const { return m_tally; }
    const TallyStore& store() const { return m_store; }

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

    Tally m_tally;
    TallyStore m_store;
    bool m_saved = false;
    TLbBackground* LbBackground1;
    TFlatPanel* FlatPanel1;
    std::array<QLabel*, Tally::kStatistics + 1> mylabel{};
    std::array<QLabel*, Tally::kPlaces + 1> label_num{};
    std::array<QLabel*, Tally::kPlaces + 1> label_date{};
    std::array<QLabel*, Tally::kPlaces + 1> label_name{};
    std::array<QLabel*, Tally::kPlaces + 1> label_high{};
    ImageButton* button_resettally;
    ImageButton* button_done;
};
