// Presenting surfaces in Qt: bitmaps as QImages, a window's picture in a paint event, cursors.
#include "QtInternal.h"

#include <qyx/platform/Screen.h>

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <cstring>
#include <map>

namespace qyx {

QImage BitmapToQImage(const TBitmap& Bitmap) {
    const int w = Bitmap.GetWidth(), h = Bitmap.GetHeight();
    if (w <= 0 || h <= 0) return {};
    QImage img(w, h, QImage::Format_RGB32);
    if (Bitmap.GetPixelFormat() == pf32bit) {
        for (int y = 0; y < h; ++y)
            std::memcpy(img.scanLine(y), Bitmap.GetScanLine(y), static_cast<size_t>(w) * 4);
        return img;
    }
    // Other formats: convert a copy (the bitmap itself stays as it is).
    TBitmap copy;
    copy.Assign(&Bitmap);
    copy.SetPixelFormat(pf32bit);
    for (int y = 0; y < h; ++y) std::memcpy(img.scanLine(y), copy.GetScanLine(y), static_cast<size_t>(w) * 4);
    return img;
}

void QImageToBitmap(const QImage& Image, TBitmap& Bitmap) {
    const QImage img = Image.convertToFormat(QImage::Format_RGB32);
    Bitmap.SetPixelFormat(pf32bit);
    Bitmap.SetSize(img.width(), img.height());
    for (int y = 0; y < img.height(); ++y) {
        auto* dst = reinterpret_cast<uint32_t*>(Bitmap.GetScanLine(y));
        const auto* src = reinterpret_cast<const uint32_t*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) dst[x] = src[x] & 0xFFFFFF;
    }
}

void PresentWindow(TWinControl* Window, TBitmap& Buffer, QPainter& Painter, const QRect& Area) {
    if (Window == nullptr) return;
    const int w = Window->GetClientWidth(), h = Window->GetClientHeight();
    if (w <= 0 || h <= 0) return;
    if (Buffer.GetWidth() != w || Buffer.GetHeight() != h) Buffer.SetSize(w, h);
    try {
        Window->PaintTo(Buffer.GetCanvas(), 0, 0);
    } catch (...) {
        TQtBackend::ReportLater();
    }
    // A view of the buffer's rows: pf32bit pixels are $00RRGGBB words, as QImage::Format_RGB32.
    const QImage view(Buffer.GetScanLine(0), w, h, Buffer.GetStride(), QImage::Format_RGB32);
    const QRect r = Area.intersected(QRect(0, 0, w, h));
    if (!r.isEmpty()) Painter.drawImage(r, view, r);
}

namespace {

QCursor RegisteredCursor(HCURSOR Handle) {
    static std::map<HCURSOR, QCursor> cache;
    if (auto it = cache.find(Handle); it != cache.end()) return it->second;
    TCursorImage ci;
    if (!GetCursorImage(Handle, ci) || ci.Image == nullptr) return QCursor(Qt::ArrowCursor);
    QImage img = BitmapToQImage(*ci.Image).convertToFormat(QImage::Format_ARGB32);
    if (ci.Mask != nullptr && ci.Mask->GetWidth() == img.width() && ci.Mask->GetHeight() == img.height()) {
        const QImage mask = BitmapToQImage(*ci.Mask);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((mask.pixel(x, y) & 0xFFFFFF) != 0) img.setPixel(x, y, 0); // 1 bits: transparent
    }
    QCursor c(QPixmap::fromImage(img), ci.HotX, ci.HotY);
    cache.emplace(Handle, c);
    return c;
}

} // namespace

QCursor QtCursorFor(TCursor Cursor) {
    switch (Cursor) {
    case crDefault:
    case crArrow: return QCursor(Qt::ArrowCursor);
    case crNone: return QCursor(Qt::BlankCursor);
    case crCross: return QCursor(Qt::CrossCursor);
    case crIBeam: return QCursor(Qt::IBeamCursor);
    case crSizeNESW: return QCursor(Qt::SizeBDiagCursor);
    case crSizeNS: return QCursor(Qt::SizeVerCursor);
    case crSizeNWSE: return QCursor(Qt::SizeFDiagCursor);
    case crSizeWE: return QCursor(Qt::SizeHorCursor);
    case crUpArrow: return QCursor(Qt::UpArrowCursor);
    case crHourGlass:
    case crSQLWait: return QCursor(Qt::WaitCursor);
    case crDrag:
    case crMultiDrag: return QCursor(Qt::DragCopyCursor);
    case crNoDrop:
    case crNo: return QCursor(Qt::ForbiddenCursor);
    case crHSplit: return QCursor(Qt::SplitHCursor);
    case crVSplit: return QCursor(Qt::SplitVCursor);
    case crAppStart: return QCursor(Qt::BusyCursor);
    case crHelp: return QCursor(Qt::WhatsThisCursor);
    case crHandPoint: return QCursor(Qt::PointingHandCursor);
    case crSizeAll: return QCursor(Qt::SizeAllCursor);
    default: break;
    }
    if (Cursor > 0) return RegisteredCursor(Screen()->GetCursors(Cursor));
    return QCursor(Qt::ArrowCursor);
}

} // namespace qyx
