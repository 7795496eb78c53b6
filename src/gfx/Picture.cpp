#include "gfx/Picture.h"

#include "gfx/WholeFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <gif_lib.h>
#include <jerror.h>
#include <jpeglib.h>

namespace gfx {

namespace {

[[noreturn]] void fail(const QString& reason) {
    throw PictureError(reason.toStdString());
}

QString sizeText(qint64 w, qint64 h) {
    return QStringLiteral("%1 x %2").arg(w).arg(h);
}

// Refuses a declared size before anything of that size is allocated.
void checkSize(qint64 w, qint64 h) {
    if (w <= 0 || h <= 0)
        fail(QStringLiteral("Kuvan koko on virheellinen: %1 pikseliä.").arg(sizeText(w, h)));
    if (w > MaxPictureSide || h > MaxPictureSide)
        fail(QStringLiteral("Kuva on liian suuri: %1 pikseliä (enintään %2).")
                 .arg(sizeText(w, h), sizeText(MaxPictureSide, MaxPictureSide)));
}

QImage newPicture(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    if (img.isNull())
        fail(QStringLiteral("Muisti ei riitä kuvalle (%1 pikseliä).").arg(sizeText(w, h)));
    return img;
}

// What the first bytes of a file say it is, for telling the user about a wrong name.
QString kindOf(const QByteArray& d) {
    if (d.startsWith("BM")) return QStringLiteral("BMP-kuva");
    if (d.size() >= 3 && uchar(d[0]) == 0xFF && uchar(d[1]) == 0xD8 && uchar(d[2]) == 0xFF)
        return QStringLiteral("JPEG-kuva");
    if (d.startsWith("GIF87a") || d.startsWith("GIF89a")) return QStringLiteral("GIF-kuva");
    if (d.startsWith("\x89PNG")) return QStringLiteral("PNG-kuva");
    return {};
}

[[noreturn]] void failNotA(const QByteArray& d, const QString& expected) {
    const QString kind = kindOf(d);
    if (kind.isEmpty()) fail(QStringLiteral("Tiedosto ei ole %1.").arg(expected));
    fail(QStringLiteral("Tiedosto ei ole %1 vaan %2.").arg(expected, kind));
}

const QString Truncated = QStringLiteral("Tiedosto loppuu kesken.");
const QString Corrupt = QStringLiteral("Kuvan tiedot ovat viallisia.");

std::uint32_t le32(const QByteArray& d, int at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | uchar(d[at + i]);
    return v;
}
std::uint16_t le16(const QByteArray& d, int at) {
    return std::uint16_t(uchar(d[at]) | (uchar(d[at + 1]) << 8));
}

// ---- JPEG -------------------------------------------------------------------------------

// libjpeg reports errors through error_exit, which must not return: it jumps back to
// the decoder's setjmp. Warnings about damaged data jump back too, so that a truncated or
// corrupt file is refused instead of shown half grey.
struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    int code;
};

void jpegErrorExit(j_common_ptr cinfo) {
    auto* e = reinterpret_cast<JpegError*>(cinfo->err);
    e->code = e->mgr.msg_code;
    std::longjmp(e->jump, 1);
}

void jpegMessage(j_common_ptr cinfo, int level) {
    auto* e = reinterpret_cast<JpegError*>(cinfo->err);
    if (level >= 0) return; // trace messages
    switch (e->mgr.msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_NOT_SEQUENTIAL:
        e->code = e->mgr.msg_code;
        std::longjmp(e->jump, 1);
    default:
        break; // harmless oddities such as extra bytes between markers
    }
}

enum class JpegStep { Done, Failed, BadSize, NoMemory };

struct JpegDecode {
    const unsigned char* data;
    unsigned long size;
    QImage* out;
    JDIMENSION width = 0, height = 0;
    bool cmyk = false;
};

// Only plain data lives in this frame, so the longjmp out of libjpeg skips no destructor.
JpegStep runJpegDecode(JpegDecode& job, JpegError& err) {
    jpeg_decompress_struct cinfo;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegErrorExit;
    err.mgr.emit_message = jpegMessage;
    err.code = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return JpegStep::Failed;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, job.data, job.size);
    jpeg_read_header(&cinfo, TRUE);
    job.width = cinfo.image_width;
    job.height = cinfo.image_height;
    if (job.width == 0 || job.height == 0 || job.width > JDIMENSION(MaxPictureSide) ||
        job.height > JDIMENSION(MaxPictureSide)) {
        jpeg_destroy_decompress(&cinfo);
        return JpegStep::BadSize;
    }
    job.cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    // Four bytes a pixel either way: blue, green, red, pad straight into the picture's
    // rows, or CMYK converted in place below.
    cinfo.out_color_space = job.cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    jpeg_start_decompress(&cinfo);
    *job.out = QImage(int(job.width), int(job.height), QImage::Format_RGB32);
    if (job.out->isNull()) {
        jpeg_destroy_decompress(&cinfo);
        return JpegStep::NoMemory;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = job.out->scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return JpegStep::Done;
}

struct JpegEncode {
    const QImage* in;
    int quality;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

JpegStep runJpegEncode(JpegEncode& job, JpegError& err) {
    jpeg_compress_struct cinfo;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegErrorExit;
    err.mgr.emit_message = jpegMessage;
    err.code = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return JpegStep::Failed;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &job.buffer, &job.size);
    cinfo.image_width = JDIMENSION(job.in->width());
    cinfo.image_height = JDIMENSION(job.in->height());
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo); // YCbCr, sequential
    jpeg_set_quality(&cinfo, job.quality, TRUE /* baseline tables */);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(job.in->constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return JpegStep::Done;
}

QString jpegReason(int code) {
    switch (code) {
    case JERR_NO_SOI:
        return {};
    case JERR_INPUT_EMPTY:
    case JERR_INPUT_EOF:
    case JWRN_JPEG_EOF:
        return Truncated;
    case JERR_OUT_OF_MEMORY:
        return QStringLiteral("Muisti ei riitä kuvalle.");
    case JERR_CONVERSION_NOTIMPL:
    case JERR_NOT_COMPILED:
    case JERR_BAD_J_COLORSPACE:
        return QStringLiteral("Tämän lajin JPEG-kuvia ei voi lukea.");
    default:
        return Corrupt;
    }
}

// ---- GIF --------------------------------------------------------------------------------

struct GifInput {
    const QByteArray* data;
    qsizetype pos;
};

int readGifBytes(GifFileType* gif, GifByteType* buf, int n) {
    auto* in = static_cast<GifInput*>(gif->UserData);
    const qsizetype k = std::clamp<qsizetype>(in->data->size() - in->pos, 0, n);
    std::memcpy(buf, in->data->constData() + in->pos, std::size_t(k));
    in->pos += k;
    return int(k);
}

int writeGifBytes(GifFileType* gif, const GifByteType* buf, int n) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(buf), n);
    return n;
}

QString gifReason(int code) {
    switch (code) {
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_EOF_TOO_SOON:
    case D_GIF_ERR_NO_SCRN_DSCR: // the screen descriptor or its colour table cut short
    case D_GIF_ERR_NO_IMAG_DSCR:
    case 0: // giflib leaves no code when the image's first byte cannot be read
        return Truncated;
    case D_GIF_ERR_NOT_ENOUGH_MEM:
        return QStringLiteral("Muisti ei riitä kuvalle.");
    case D_GIF_ERR_NO_COLOR_MAP:
        return QStringLiteral("Kuvassa ei ole väritaulukkoa.");
    default:
        return Corrupt;
    }
}

// Closes the decoder on every way out.
struct GifReadHandle {
    GifFileType* gif = nullptr;
    ~GifReadHandle() {
        int err = 0;
        if (gif) DGifCloseFile(gif, &err);
    }
};

struct GifWriteHandle {
    GifFileType* gif = nullptr;
    ~GifWriteHandle() {
        int err = 0;
        if (gif) EGifCloseFile(gif, &err);
    }
};

// Colour indices and the exact palette when the picture has at most 256 colours.
bool exactPalette(const QImage& img, std::vector<GifByteType>& index,
                  std::vector<GifColorType>& palette) {
    // Open addressing over the 24-bit colours; 1024 slots for at most 257 entries.
    constexpr std::uint32_t Empty = 0xFFFFFFFFu;
    std::array<std::uint32_t, 1024> keys;
    std::array<std::uint8_t, 1024> values{};
    keys.fill(Empty);
    palette.clear();
    const int w = img.width(), h = img.height();
    std::uint32_t last = Empty;
    GifByteType lastIndex = 0;
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
        GifByteType* out = index.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = row[x] & 0xFFFFFFu;
            if (c != last) {
                std::uint32_t slot = (c * 2654435761u) >> 22;
                while (keys[slot] != Empty && keys[slot] != c)
                    slot = (slot + 1) & 1023u;
                if (keys[slot] == Empty) {
                    if (palette.size() == 256) return false;
                    keys[slot] = c;
                    values[slot] = std::uint8_t(palette.size());
                    palette.push_back(
                        GifColorType{GifByteType(c >> 16), GifByteType(c >> 8), GifByteType(c)});
                }
                last = c;
                lastIndex = values[slot];
            }
            out[x] = lastIndex;
        }
    }
    return true;
}

} // namespace

std::optional<PictureFormat> pictureFormatForName(const QString& fileName) {
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == QLatin1String("bmp")) return PictureFormat::Bmp;
    if (ext == QLatin1String("gif")) return PictureFormat::Gif;
    if (ext == QLatin1String("jpeg") || ext == QLatin1String("jpg")) return PictureFormat::Jpeg;
    return std::nullopt;
}

QImage decodeBmp(const QByteArray& d) {
    if (!d.startsWith("BM")) failNotA(d, QStringLiteral("BMP-kuva"));
    // File header (14 bytes) and the size field of the picture header.
    if (d.size() < 18) fail(Truncated);
    const std::uint32_t offBits = le32(d, 10);
    const std::uint32_t infoSize = le32(d, 14);
    qint64 w = 0, h = 0;
    int bits = 0;
    std::uint32_t compression = 0;
    if (infoSize == 12) {
        if (d.size() < 26) fail(Truncated);
        w = le16(d, 18);
        h = le16(d, 20);
        bits = le16(d, 24);
    } else if (infoSize >= 40 && infoSize <= 124) {
        if (d.size() < 54) fail(Truncated);
        w = qint32(le32(d, 18));
        h = qint32(le32(d, 22));
        bits = le16(d, 28);
        compression = le32(d, 30);
    } else {
        fail(Corrupt);
    }
    h = h < 0 ? -h : h; // negative heights store the rows top down
    checkSize(w, h);
    switch (bits) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        fail(Corrupt);
    }
    if (compression == 0 || compression == 3) { // plain rows: the file must hold them all
        const qint64 rowBytes = (w * bits + 31) / 32 * 4;
        if (qint64(offBits) + rowBytes * h > d.size()) fail(Truncated);
    } else if (compression == 1 || compression == 2) { // run-length coded
        if (qint64(offBits) >= d.size()) fail(Truncated);
    } else {
        fail(QStringLiteral("Tämän lajin BMP-kuvia ei voi lukea."));
    }

    QBuffer buffer;
    buffer.setData(d);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(int(qint64(MaxPictureSide) * MaxPictureSide * 4 / (1024 * 1024)) + 1);
    QImage img = reader.read();
    if (img.isNull()) fail(Corrupt);
    QImage out = img.convertToFormat(QImage::Format_RGB32);
    if (out.isNull()) fail(QStringLiteral("Muisti ei riitä kuvalle."));
    return out;
}

QImage decodeJpeg(const QByteArray& d) {
    if (d.size() < 2 || uchar(d[0]) != 0xFF || uchar(d[1]) != 0xD8)
        failNotA(d, QStringLiteral("JPEG-kuva"));
    QImage img;
    JpegDecode job{reinterpret_cast<const unsigned char*>(d.constData()),
                   static_cast<unsigned long>(d.size()), &img};
    JpegError err;
    switch (runJpegDecode(job, err)) {
    case JpegStep::Done:
        break;
    case JpegStep::BadSize:
        checkSize(job.width, job.height);
        fail(Corrupt);
    case JpegStep::NoMemory:
        fail(QStringLiteral("Muisti ei riitä kuvalle (%1 pikseliä).")
                 .arg(sizeText(job.width, job.height)));
    case JpegStep::Failed: {
        const QString reason = jpegReason(err.code);
        if (reason.isEmpty()) failNotA(d, QStringLiteral("JPEG-kuva"));
        fail(reason);
    }
    }
    if (job.cmyk) {
        // Adobe's CMYK JPEGs store the inks inverted: each colour is ink * black / 255.
        for (int y = 0; y < img.height(); ++y) {
            auto* p = img.scanLine(y);
            auto* out = reinterpret_cast<std::uint32_t*>(p);
            for (int x = 0; x < img.width(); ++x) {
                const unsigned c = p[4 * x], m = p[4 * x + 1], ye = p[4 * x + 2], k = p[4 * x + 3];
                out[x] =
                    0xFF000000u | ((c * k / 255) << 16) | ((m * k / 255) << 8) | (ye * k / 255);
            }
        }
    } else {
        for (int y = 0; y < img.height(); ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                row[x] |= 0xFF000000u;
        }
    }
    return img;
}

QImage decodeGif(const QByteArray& d) {
    if (!d.startsWith("GIF8")) failNotA(d, QStringLiteral("GIF-kuva"));
    GifInput input{&d, 0};
    int err = 0;
    GifReadHandle h;
    h.gif = DGifOpen(&input, readGifBytes, &err);
    if (!h.gif) fail(gifReason(err));
    GifFileType* gif = h.gif;
    if (gif->SWidth > MaxPictureSide || gif->SHeight > MaxPictureSide)
        checkSize(gif->SWidth, gif->SHeight);

    int transparent = -1;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) fail(gifReason(gif->Error));
        if (type == TERMINATE_RECORD_TYPE) fail(QStringLiteral("Tiedostossa ei ole kuvaa."));
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* ext = nullptr;
            if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR) fail(gifReason(gif->Error));
            if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4 && (ext[1] & 1))
                transparent = ext[4];
            while (ext) {
                if (DGifGetExtensionNext(gif, &ext) == GIF_ERROR) fail(gifReason(gif->Error));
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE) continue;

        // The first image is the picture; the frames of an animation after it are not read.
        if (DGifGetImageDesc(gif) == GIF_ERROR) fail(gifReason(gif->Error));
        const GifImageDesc& desc = gif->Image;
        checkSize(desc.Width, desc.Height);
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!map || map->ColorCount <= 0) fail(gifReason(D_GIF_ERR_NO_COLOR_MAP));
        const qint64 w = std::max<qint64>(gif->SWidth, qint64(desc.Left) + desc.Width);
        const qint64 ht = std::max<qint64>(gif->SHeight, qint64(desc.Top) + desc.Height);
        checkSize(w, ht);
        // The screen around the image is white margin; a margin wider than this is taken
        // for a damaged header, so that a few bytes cannot ask for a picture of 1.6 GB.
        constexpr qint64 MaxGifMargin = 4096;
        if (w - desc.Width > MaxGifMargin || ht - desc.Height > MaxGifMargin) fail(Corrupt);
        // The rows are read before the picture is made, into memory that grows with what
        // the data really holds: a few bytes that declare a large image and end early cost
        // no more than they hold.
        std::vector<GifPixelType> rows;
        for (int r = 0; r < desc.Height; ++r) {
            const std::size_t at = rows.size();
            rows.resize(at + std::size_t(desc.Width));
            if (DGifGetLine(gif, rows.data() + at, desc.Width) == GIF_ERROR)
                fail(gifReason(gif->Error));
        }

        std::array<std::uint32_t, 256> colours;
        colours.fill(0xFF000000u); // an index beyond the table shows black
        for (int i = 0; i < std::min(map->ColorCount, 256); ++i) {
            const GifColorType& c = map->Colors[i];
            colours[std::size_t(i)] =
                0xFF000000u | (std::uint32_t(c.Red) << 16) | (std::uint32_t(c.Green) << 8) | c.Blue;
        }
        QImage img = newPicture(int(w), int(ht));
        img.fill(0xFFFFFFFFu); // transparent pixels and the uncovered screen are white
        int stored = 0;        // rows come in file order: interlaced ones in four passes
        auto putRow = [&](int r) {
            const GifPixelType* line =
                rows.data() + std::size_t(stored++) * std::size_t(desc.Width);
            auto* out = reinterpret_cast<std::uint32_t*>(img.scanLine(desc.Top + r));
            for (int x = 0; x < desc.Width; ++x)
                if (line[x] != transparent) out[desc.Left + x] = colours[line[x]];
        };
        if (desc.Interlace) {
            constexpr int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int r = start[pass]; r < desc.Height; r += step[pass])
                    putRow(r);
        } else {
            for (int r = 0; r < desc.Height; ++r)
                putRow(r);
        }
        return img;
    }
}

QByteArray encodeBmp(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB32)))
        fail(QStringLiteral("BMP-kuvan muodostaminen epäonnistui."));
    return bytes;
}

QByteArray encodeJpeg(const QImage& picture, int quality) {
    const QImage img = picture.convertToFormat(QImage::Format_RGB32);
    if (img.width() > 65500 || img.height() > 65500)
        fail(QStringLiteral("JPEG-kuva voi olla enintään 65500 x 65500 pikseliä."));
    JpegEncode job{&img, std::clamp(quality, 1, 100)};
    JpegError err;
    const JpegStep step = runJpegEncode(job, err);
    QByteArray bytes;
    if (step == JpegStep::Done)
        bytes = QByteArray(reinterpret_cast<const char*>(job.buffer), qsizetype(job.size));
    std::free(job.buffer);
    if (step != JpegStep::Done) fail(QStringLiteral("JPEG-kuvan muodostaminen epäonnistui."));
    return bytes;
}

QByteArray encodeGif(const QImage& picture) {
    const QImage img = picture.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    if (w > 65535 || h > 65535)
        fail(QStringLiteral("GIF-kuva voi olla enintään 65535 x 65535 pikseliä."));
    const QString failed = QStringLiteral("GIF-kuvan muodostaminen epäonnistui.");
    std::vector<GifByteType> index(std::size_t(w) * std::size_t(h));
    std::vector<GifColorType> palette;
    if (!exactPalette(img, index, palette)) {
        // More than 256 colours: giflib's median cut chooses 256 of them.
        std::vector<GifByteType> r(index.size()), g(index.size()), b(index.size());
        std::size_t i = 0;
        for (int y = 0; y < h; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
            for (int x = 0; x < w; ++x, ++i) {
                r[i] = GifByteType(row[x] >> 16);
                g[i] = GifByteType(row[x] >> 8);
                b[i] = GifByteType(row[x]);
            }
        }
        int count = 256;
        palette.assign(256, GifColorType{0, 0, 0});
        if (GifQuantizeBuffer(unsigned(w), unsigned(h), &count, r.data(), g.data(), b.data(),
                              index.data(), palette.data()) == GIF_ERROR)
            fail(failed);
        palette.resize(std::size_t(std::clamp(count, 1, 256)));
    }
    int tableSize = 2; // a power of two, as GIF tables are
    while (tableSize < int(palette.size()))
        tableSize *= 2;
    std::vector<GifColorType> table(std::size_t(tableSize), GifColorType{0, 0, 0});
    std::copy(palette.begin(), palette.end(), table.begin());
    ColorMapObject* map = GifMakeMapObject(tableSize, table.data());
    if (!map) fail(failed);

    QByteArray bytes;
    int err = 0;
    GifWriteHandle out;
    out.gif = EGifOpen(&bytes, writeGifBytes, &err);
    bool ok = out.gif && EGifPutScreenDesc(out.gif, w, h, map->BitsPerPixel, 0, map) != GIF_ERROR &&
              EGifPutImageDesc(out.gif, 0, 0, w, h, false, nullptr) != GIF_ERROR;
    for (int y = 0; ok && y < h; ++y)
        ok = EGifPutLine(out.gif, index.data() + std::size_t(y) * std::size_t(w), w) != GIF_ERROR;
    GifFreeMapObject(map);
    if (out.gif) {
        ok = EGifCloseFile(out.gif, &err) != GIF_ERROR && ok;
        out.gif = nullptr; // closed (and freed) even on failure
    }
    if (!ok) fail(failed);
    return bytes;
}

QImage loadPicture(const QString& fileName, PictureFormat format) {
    const QString prefix = QStringLiteral("Kuvatiedostoa ei voi lukea: %1. ").arg(fileName);
    try {
        QFile file(fileName);
        if (!file.exists()) fail(QStringLiteral("Tiedostoa ei löydy."));
        if (!file.open(QIODevice::ReadOnly)) fail(QStringLiteral("Tiedostoa ei voi avata."));
        const QByteArray data = file.readAll();
        if (data.isEmpty()) fail(QStringLiteral("Tiedosto on tyhjä."));
        switch (format) {
        case PictureFormat::Bmp:
            return decodeBmp(data);
        case PictureFormat::Jpeg:
            return decodeJpeg(data);
        case PictureFormat::Gif:
            return decodeGif(data);
        }
        fail(Corrupt);
    } catch (const PictureError& e) {
        throw PictureError((prefix + e.message()).toStdString());
    }
}

void savePicture(const QImage& picture, const QString& fileName, PictureFormat format) {
    const QString prefix = QStringLiteral("Kuvatiedostoa ei voi tallentaa: %1. ").arg(fileName);
    try {
        if (picture.isNull()) fail(QStringLiteral("Kuva on tyhjä."));
        QByteArray bytes;
        switch (format) {
        case PictureFormat::Bmp:
            bytes = encodeBmp(picture);
            break;
        case PictureFormat::Jpeg:
            bytes = encodeJpeg(picture);
            break;
        case PictureFormat::Gif:
            bytes = encodeGif(picture);
            break;
        }
        if (const auto failure = writeWholeFile(fileName, bytes)) fail(*failure);
    } catch (const PictureError& e) {
        throw PictureError((prefix + e.message()).toStdString());
    }
}

} // namespace gfx
