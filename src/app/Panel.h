#pragma once
// A panel: a caption on a coloured ground that acts when clicked.
#include "gfx/Color.h"

#include <QLabel>

class Panel : public QLabel {
    Q_OBJECT
public:
    explicit Panel(const QString& name, QWidget* parent = nullptr);

    gfx::Color color() const { return m_color; }
    void setColor(gfx::Color c);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    gfx::Color m_color = gfx::rgb(192, 192, 192);
};
