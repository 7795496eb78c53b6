#include "gfx/TextBatch.h"

#include <QPainter>

namespace gfx {

TextBatch::TextBatch(const Font& font) : m_font(font), m_qfont(toQFont(font)), m_metrics(m_qfont) {}

QSize TextBatch::size(const QString& text) const {
    return QSize(m_metrics.horizontalAdvance(text), m_metrics.height());
}

void TextBatch::add(int x, int y, const QString& text) {
    if (!text.isEmpty()) m_items.push_back({QPoint(x, y), text});
}

void TextBatch::draw(Canvas& canvas) {
    if (canvas.isEmpty() || m_items.empty()) return;
    QPainter p(&canvas.image());
    p.setFont(m_qfont);
    p.setPen(toQColor(m_font.color));
    const int ascent = m_metrics.ascent();
    for (const Item& item : m_items)
        p.drawText(item.topLeft.x(), item.topLeft.y() + ascent, item.text);
    m_items.clear();
}

} // namespace gfx
