// HintMark: a frame drawn around the card or the stock that a hint points at; clicks go through
// it to the card beneath.
#pragma once

#include <QWidget>

class HintMark : public QWidget {
    Q_OBJECT

public:
    explicit HintMark(QWidget* parent);

    // Frames `target`, a control of the same parent.
    void point(const QWidget* target);

protected:
    void paintEvent(QPaintEvent* event) override;
};
