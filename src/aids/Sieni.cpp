#include "aids/Sieni.h"

#include "aids/AidsLogic.h"
#include "app/Icons.h"
#include "app/WindowSet.h"

#include <QLabel>
#include <QPixmap>

namespace {

constexpr int SpongeWidth = 110;
constexpr int SpongeHeight = 52;

} // namespace

TSieni::TSieni(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Sieni"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);

    const QImage picture =
        ravoPicture(QStringLiteral(":/icons/sponge.svg"), SpongeWidth, SpongeHeight);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap::fromImage(picture));
    Image1->setGeometry(0, 0, SpongeWidth, SpongeHeight);
    Image1->setCursor(Qt::PointingHandCursor);

    resize(SpongeWidth, SpongeHeight);
    // White is keyed out: only the sponge itself shows and takes the pointer.
    setMask(keyedMask(nonWhiteRegion(picture)));
}
