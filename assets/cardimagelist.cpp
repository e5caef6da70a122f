// imagelist_bigcards: each card is drawn the first time it is asked for, so start-up draws none.
#include "cardimagelist.h"

#include "artwork.h"

const QPixmap& CardImageList::image(int index) {
    static const QPixmap none;
    if (index < 0 || index >= kImages)
        return none;
    QPixmap& picture = m_images[static_cast<size_t>(index)];
    if (picture.isNull())
        picture = artwork::card(index, m_dpr);
    return picture;
}

void CardImageList::setDevicePixelRatio(qreal dpr) {
    if (qFuzzyCompare(dpr, m_dpr))
        return;
    m_dpr = dpr;
    for (QPixmap& picture : m_images)
        picture = QPixmap();
}
