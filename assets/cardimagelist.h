// imagelist_bigcards: the 53 card pictures, drawn the first time each one is asked for.
#pragma once

#include <QPixmap>

#include <array>

class CardImageList {
public:
    static constexpr int kImages = 53;

    explicit CardImageList(qreal dpr = 1.0) : m_dpr(dpr) {}

    // Image 0 is the back, 1..52 the faces. Changing the ratio drops the drawn pictures.
    const QPixmap& image(int index);
    void setDevicePixelRatio(qreal dpr);
    qreal devicePixelRatio() const { return m_dpr; }

private:
    qreal m_dpr;
    std::array<QPixmap, kImages> m_images;
};
