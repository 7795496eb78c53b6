#pragma once
// Many short texts in one font, measured and written in one go: the same pixels as the
// canvas's textOut, without looking up the font and opening a painter for every text.
#include "gfx/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QSize>
#include <QString>

#include <vector>

namespace gfx {

class TextBatch {
public:
    explicit TextBatch(const Font& font);

    // The text's cell: its advance width and the font's line height.
    QSize size(const QString& text) const;
    // Queues the text with the top left of its cell at (x, y).
    void add(int x, int y, const QString& text);
    bool isEmpty() const { return m_items.empty(); }
    // Writes the queued texts in the font's colour; the background stays as it was.
    void draw(Canvas& canvas);

private:
    struct Item {
        QPoint topLeft;
        QString text;
    };
    Font m_font;
    QFont m_qfont;
    QFontMetrics m_metrics;
    std::vector<Item> m_items;
};

} // namespace gfx
