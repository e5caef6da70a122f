// ImageButton: a picture that acts on a click, such as the 126 x 40 lettered buttons of the
// card table.
#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QString>

#include <functional>

class ImageButton : public QAbstractButton {
    Q_OBJECT

public:
    // Draws the picture for a device pixel ratio. The button asks for it the first time it is
    // painted and again when it moves to a screen of another ratio, so a button that is never
    // shown never has its picture drawn.
    using PictureSource = std::function<QPixmap(qreal dpr)>;

    explicit ImageButton(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    void setPictureSource(PictureSource source);
    void clearPicture();
    bool hasPicture() const { return bool(m_source) || !m_picture.isNull(); }
    // The picture as it is painted now (drawn on demand).
    QPixmap picture();

    // The size the picture is drawn at, relative to its own: a table drawn larger asks its
    // pictures afresh at that size instead of stretching them, so they stay sharp.
    qreal scale() const { return m_scale; }
    void setScale(qreal scale);

    // While pressed the picture sits one pixel lower and to the right, like a key going down.
    // Pictures that are not buttons (cards, the table) turn this off.
    bool pressedFeedback() const { return m_pressedFeedback; }
    void setPressedFeedback(bool on);

    // A text carried with the control for its click handler; never shown to the player.
    QString hint() const { return m_hint; }
    void setHint(const QString& hint) { m_hint = hint; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const QPixmap& current();

    QPixmap m_picture;
    PictureSource m_source;
    bool m_sourceDrawn = false;
    qreal m_drawnRatio = 0;
    qreal m_scale = 1.0;
    bool m_pressedFeedback = true;
    QString m_hint;
};
