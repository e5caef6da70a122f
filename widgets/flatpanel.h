// TFlatPanel: a flat panel with a one-pixel two-colour frame and a one-line caption.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class TFlatPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(Qt::Alignment alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool transparent READ isTransparent WRITE setTransparent)
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(QColor colorHighLight READ colorHighLight WRITE setColorHighLight)
    Q_PROPERTY(QColor colorShadow READ colorShadow WRITE setColorShadow)
    Q_PROPERTY(QColor fontColor READ fontColor WRITE setFontColor)

public:
    explicit TFlatPanel(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    // Only the horizontal part counts: the caption is always centred vertically.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);

    // A transparent panel lets whatever its parent painted show through instead of its colour.
    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    // The frame: highlight on the top and left edges, shadow on the bottom and right.
    QColor colorHighLight() const { return m_colorHighLight; }
    void setColorHighLight(const QColor& color);
    QColor colorShadow() const { return m_colorShadow; }
    void setColorShadow(const QColor& color);

    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString m_caption;
    Qt::Alignment m_alignment = Qt::AlignHCenter;
    bool m_transparent = false;
    QColor m_color{192, 192, 192};
    QColor m_colorHighLight{Qt::white};
    QColor m_colorShadow{128, 128, 128};
    QColor m_fontColor{Qt::black};
};
