// TSelButton: a flat text button that draws itself: a face, a caption and a nested border, with
// its own colours for the mouse over it and for the button held down.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class TSelButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(Qt::Alignment alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(QColor colorOver READ colorOver WRITE setColorOver)
    Q_PROPERTY(QColor colorDown READ colorDown WRITE setColorDown)
    Q_PROPERTY(QColor colorBorder READ colorBorder WRITE setColorBorder)
    Q_PROPERTY(QColor colorOverCaption READ colorOverCaption WRITE setColorOverCaption)
    Q_PROPERTY(QColor fontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(int borderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(int tag READ tag WRITE setTag)

public:
    // The drawing the button shows at a moment.
    enum class Look { Normal, Over, Down };

    static constexpr int kDefaultWidth = 105;
    static constexpr int kDefaultHeight = 20;

    // Until a caption is set, the button shows its object name, as a new button dropped on a
    // form shows its component name.
    explicit TSelButton(QWidget* parent = nullptr);
    TSelButton(const QString& name, QWidget* parent);

    QString caption() const;
    void setCaption(const QString& caption);

    // Only the horizontal part counts: the caption is always centred vertically.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    QColor colorOver() const { return m_colorOver; }
    void setColorOver(const QColor& color);
    QColor colorDown() const { return m_colorDown; }
    void setColorDown(const QColor& color);
    QColor colorBorder() const { return m_colorBorder; }
    void setColorBorder(const QColor& color);
    QColor colorOverCaption() const { return m_colorOverCaption; }
    void setColorOverCaption(const QColor& color);
    // The caption's colour outside the mouse-over drawing.
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor& color);

    // Nested one-pixel rectangles drawn from the outer edge inwards; 0 draws no border.
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);

    // A free number for the owner, such as the page a button stands for.
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    Look look() const;

    QSize sizeHint() const override { return {kDefaultWidth, kDefaultHeight}; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void setPointerOver(bool over);

    QString m_caption;
    bool m_captionSet = false;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    QColor m_color;
    QColor m_colorOver{132, 185, 164};
    QColor m_colorDown{132, 185, 164};
    QColor m_colorBorder{128, 128, 128};
    QColor m_colorOverCaption{Qt::black};
    QColor m_fontColor{128, 128, 128};
    int m_borderWidth = 1;
    int m_tag = 0;
    bool m_over = false;
    bool m_pressed = false;
};
