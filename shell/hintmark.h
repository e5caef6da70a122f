// HintMark: a frame drawn around the card or the stock that a hint points at; clicks go through
// it to the card beneath.
#pragma once

#include <QPointer>
#include <QWidget>

class HintMark : public QWidget {
    Q_OBJECT

public:
    explicit HintMark(QWidget* parent);

    // Frames `target`, a control of the same parent, and follows it when the table is laid out
    // anew.
    void point(QWidget* target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    QPointer<QWidget> m_target;
};
