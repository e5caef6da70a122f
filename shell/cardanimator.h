// CardAnimator: a card played travels to the discard pile, a turned stock card flips over on
// its way there, and an uncovered card turns face up. Only pictures move: the controls already
// show the position after the move, and the animation is painted over them.
#pragma once

#include "game.h"

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QRect>

#include <array>
#include <functional>
#include <vector>

class ImageButton;
class QPainter;
class QVariantAnimation;
class QWidget;

class CardAnimator : public QObject {
    Q_OBJECT

public:
    static constexpr int kDurationMs = 150;

    // The card images each control shows: slots 1..28, then the discard and the stock; -1 for
    // none or a hidden control.
    static constexpr int kDiscardIndex = Game::kSlots + 1;
    static constexpr int kStockIndex = Game::kSlots + 2;
    using Shown = std::array<int, Game::kSlots + 3>;

    struct Controls {
        QWidget* board = nullptr;     // the panel the cards lie on
        ImageButton* table = nullptr; // the cloth picture beneath the cards
        std::array<ImageButton*, Game::kSlots + 1> cards{};
        ImageButton* stock = nullptr;
        ImageButton* discard = nullptr;
    };
    // Draws card image k (0 the back) at the size the controls show it.
    using Pictures = std::function<QPixmap(int image)>;

    CardAnimator(const Controls& controls, Pictures pictures, QObject* parent = nullptr);

    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);
    // Tests hold an animation open as long as they look at it.
    void setDuration(int ms) { m_duration = ms; }

    // After a board card was played or the stock turned: animates what changed between the
    // two pictures of the table.
    void moved(const Shown& before, const Shown& after);
    bool running() const { return !m_sprites.empty(); }
    // Ends the animation at once; a click or a key that arrives meanwhile calls this first.
    void finish();
    // Paints the animation as it stands at `progress` (0..1) and holds it there: for pictures
    // of single frames.
    void hold(qreal progress);

    struct Sprite {
        int image = 0;         // the face it ends on
        QRect from, to;        // travels from one to the other; equal for a turn in place
        bool flips = false;    // starts as the back
        int coveredImage = -1; // shown at `to` until the card lands (the old discard)
        int slot = 0;          // a slot turned in place: what lies beneath it shows at its edges
    };
    const std::vector<Sprite>& sprites() const { return m_sprites; }

signals:
    // The cards of an animation have landed: it ran to its end or was ended early.
    void landed();

private:
    friend class AnimationOverlay;
    void paint(QWidget* overlay);
    void paintBeneath(QPainter& p, int slot, const QRect& area);
    void start();

    Controls m_controls;
    Pictures m_pictures;
    bool m_enabled = true;
    int m_duration = kDurationMs;
    qreal m_progress = 0;
    std::vector<Sprite> m_sprites;
    QPointer<QWidget> m_overlay;          // made with the first animation
    QVariantAnimation* m_clock = nullptr; // likewise
};
