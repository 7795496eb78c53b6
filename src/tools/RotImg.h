#pragma once
// TRotateImage: a windowless picture control that shows its picture turned by any angle
// about the picture's centre, laid out in its bounds, and clipped to the turned outline so
// that whatever lies behind it shows at the corners. The maths lives in gfx/Rotation.
#include "gfx/Canvas.h"
#include "gfx/Rotation.h"

#include <QIcon>
#include <QImage>
#include <QPicture>
#include <QPolygon>
#include <QWidget>

#include <functional>
#include <span>

// The picture a TRotateImage shows: a bitmap, or another graphic (a recorded drawing, the
// counterpart of a metafile, or an icon), which the control draws into a bitmap of its own.
class TPicture {
public:
    enum class Kind { Empty, Bitmap, Drawing, Icon };

    TPicture() = default;
    static TPicture fromBitmap(const QImage& image);
    static TPicture fromDrawing(const QPicture& drawing);
    static TPicture fromIcon(const QIcon& icon, QSize size);

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::Empty; }
    bool isBitmap() const { return m_kind == Kind::Bitmap; }
    QSize size() const;

    // Icons and drawings are always transparent; a bitmap as its flag says.
    bool transparent() const { return m_kind == Kind::Bitmap ? m_transparent : !isEmpty(); }
    void setTransparent(bool on) { m_transparent = on; }

    gfx::Canvas& bitmap() { return m_bitmap; }
    const gfx::Canvas& bitmap() const { return m_bitmap; }
    // Draws a drawing or an icon with its top-left corner at (0, 0).
    void drawGraphic(QPainter& p) const;
    // The picture as it is before turning, as a bitmap: a drawing or an icon on white.
    QImage unturnedBitmap() const;

private:
    Kind m_kind = Kind::Empty;
    gfx::Canvas m_bitmap;
    QPicture m_drawing;
    QIcon m_icon;
    QSize m_iconSize;
    bool m_transparent = false;
};

class TRotateImage : public QWidget {
    Q_OBJECT
public:
    explicit TRotateImage(QWidget* parent = nullptr);
    ~TRotateImage() override;

    // The unturned picture; assigning copies it and runs the picture-changed steps.
    const TPicture& Picture() const { return FPicture; }
    void SetPicture(const TPicture& picture);

    // Degrees, positive counter-clockwise on the screen; stored as given.
    long double Angle() const { return FAngle; }
    void SetAngle(long double angle);

    bool Center() const { return FCenter; }
    void SetCenter(bool on);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool on);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool on);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool on);
    // Lay out as if the turned picture always filled a MaxSize square, so that scaling
    // stays the same while the picture turns.
    bool UniqueSize() const { return FUniqueSize; }
    void SetUniqueSize(bool on);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool on);

    // The control's colour: the background of the bitmap drawn from a non-bitmap picture.
    gfx::Color Color() const { return FColor; }
    void SetColor(gfx::Color c) { FColor = c; }

    // Fired after every rebuild of the turned picture.
    std::function<void(TRotateImage*)> OnRotation;

    // The bitmap's drawing surface; without a picture a white bitmap of the control's size
    // becomes the picture first. The picture-changed steps run when the returned access
    // ends, as they do after drawing on a bitmap. Raises std::logic_error when the picture
    // is another kind of graphic.
    class CanvasAccess {
    public:
        explicit CanvasAccess(TRotateImage& owner) : m_owner(owner) {}
        CanvasAccess(const CanvasAccess&) = delete;
        CanvasAccess& operator=(const CanvasAccess&) = delete;
        ~CanvasAccess() { m_owner.PictureChanged(); }
        gfx::Canvas* operator->() { return &m_owner.FPicture.bitmap(); }
        gfx::Canvas& operator*() { return m_owner.FPicture.bitmap(); }

    private:
        TRotateImage& m_owner;
    };
    CanvasAccess Canvas();

    const QImage& RotatedBitmap() const { return FRotatedBitmap; }
    // The turned bitmap's transparent colour and flag, as painting uses them.
    gfx::Color RotatedTransparentColor() const { return FRotatedTransparentColor; }
    bool RotatedTransparent() const { return FRotatedTransparent; }
    int MaxSize() const { return FMaxSize; }
    QRect ImageRect();
    // The clip polygon in the parent's coordinates; empty without a picture.
    QPolygon ImageRgn();

    QPoint RotatedPoint(QPoint pt) const;
    void RotatePoints(std::span<QPoint> points, int lastIndex) const;

    // While loading, angle and picture changes are only stored; ending the load runs the
    // picture-changed steps once.
    void SetLoading(bool on);
    bool Loading() const { return FLoading; }

    // Runs the picture-changed steps; for a caller that changed the picture's bitmap in
    // place.
    void PictureChanged();

    QSize sizeHint() const override;

signals:
    void rotated();

protected:
    // Run after every rebuild of the turned picture; fires OnRotation.
    virtual void DoRotation();
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    void RebuildRotated();
    void ApplyAutoSize();
    void ClearMetrics() { FCalcMetrics = 0; }

    TPicture FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FTransparent = false;
    bool FProportional = false;
    bool FUniqueSize = true;
    bool FAutoSize = false;
    bool FLoading = false;
    long double FAngle = 0;
    int FMaxSize = 0;
    gfx::Color FColor = gfx::rgb(240, 240, 240);

    // The working bitmap: the picture's own, or FBitmapCopy drawn from another graphic.
    const gfx::Canvas* FBitmap = nullptr;
    gfx::Canvas FBitmapCopy;
    bool FFreeBitmap = false;
    gfx::Color FBitmapTransparentColor = gfx::White;
    bool FBitmapTransparent = false;

    QImage FRotatedBitmap;
    gfx::Color FRotatedTransparentColor = gfx::White;
    bool FRotatedTransparent = false;
    QImage FMaskedRotated; // the turned bitmap with its transparent colour see-through

    QRect FImageRect;
    QPolygon FImageRgn;
    int FCalcMetrics = 0; // 1: FImageRect is valid, 2: FImageRgn is valid
    QSize FMetricsSize;   // the size and position they were computed for
    QPoint FMetricsPos;
    bool FChanging = false;
};
