#include "gfx/PictureCopy.h"

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

namespace gfx {

namespace {

// Below this a copy is over before a helper thread would wake up.
constexpr std::size_t SharedCopyBytes = std::size_t(2) << 20;
// A band's size: small enough that the two threads finish close together.
constexpr std::size_t BandBytes = std::size_t(512) << 10;

// Rows [first, first + rows) of a copy between two pictures.
struct Copy {
    const uchar* src;
    uchar* dst;
    std::size_t srcLine;
    std::size_t dstLine;
    std::size_t rowBytes;
    int rows;
    int rowsPerBand;
    int bands;
    // Guarded by Helper::m.
    int next = 0;
    int done = 0;

    void copyBand(int band) const {
        const int first = band * rowsPerBand;
        const int count = std::min(rowsPerBand, rows - first);
        const uchar* s = src + std::size_t(first) * srcLine;
        uchar* d = dst + std::size_t(first) * dstLine;
        if (srcLine == rowBytes && dstLine == rowBytes) {
            std::memcpy(d, s, rowBytes * std::size_t(count));
            return;
        }
        for (int y = 0; y < count; ++y, s += srcLine, d += dstLine)
            std::memcpy(d, s, rowBytes);
    }
};

// The helper thread, started at the first large copy and parked between copies for the
// rest of the process's life.
class Helper {
public:
    Helper() {
        std::thread([this] { run(); }).detach();
    }

    // Copies every band of c, sharing them with the helper; returns when all are done.
    void copy(Copy& c) {
        std::lock_guard callerLock(m_caller); // one shared copy at a time
        std::unique_lock lock(m);
        m_job = &c;
        lock.unlock();
        m_wake.notify_one();
        lock.lock();
        while (c.next < c.bands) {
            const int band = c.next++;
            lock.unlock();
            c.copyBand(band);
            lock.lock();
            ++c.done;
        }
        // What is left are the bands the helper has taken and is copying now.
        m_finished.wait(lock, [&] { return c.done == c.bands; });
        m_job = nullptr;
    }

private:
    [[noreturn]] void run() {
        std::unique_lock lock(m);
        for (;;) {
            m_wake.wait(lock, [&] { return m_job && m_job->next < m_job->bands; });
            Copy& c = *m_job;
            const int band = c.next++;
            lock.unlock();
            c.copyBand(band);
            lock.lock();
            if (++c.done == c.bands) m_finished.notify_one();
        }
    }

    std::mutex m_caller;
    std::mutex m; // guards m_job and the job's next and done
    std::condition_variable m_wake;
    std::condition_variable m_finished;
    Copy* m_job = nullptr;
};

// The helper, or null on one core or when no thread can be started.
Helper* helper() {
    static Helper* const h = []() -> Helper* {
        if (std::thread::hardware_concurrency() < 2) return nullptr;
        try {
            return new Helper;
        } catch (const std::system_error&) {
            return nullptr;
        }
    }();
    return h;
}

} // namespace

bool copyArea(const QImage& from, QImage& to, const QRect& r) {
    const bool fits = from.format() == QImage::Format_RGB32 &&
                      to.format() == QImage::Format_RGB32 && from.rect().contains(r) &&
                      to.rect().contains(r) && to.isDetached();
    if (!fits || r.isEmpty()) return fits;
    Copy c;
    c.rowBytes = std::size_t(r.width()) * 4;
    c.srcLine = std::size_t(from.bytesPerLine());
    c.dstLine = std::size_t(to.bytesPerLine());
    c.src = from.constScanLine(r.top()) + std::size_t(r.left()) * 4;
    c.dst = to.scanLine(r.top()) + std::size_t(r.left()) * 4;
    c.rows = r.height();
    c.rowsPerBand = int(std::max<std::size_t>(1, BandBytes / c.rowBytes));
    c.bands = (c.rows + c.rowsPerBand - 1) / c.rowsPerBand;
    Helper* h = c.rowBytes * std::size_t(c.rows) >= SharedCopyBytes ? helper() : nullptr;
    if (!h || c.bands < 2) {
        c.rowsPerBand = c.rows;
        c.copyBand(0);
    } else {
        h->copy(c);
    }
    return true;
}

} // namespace gfx
