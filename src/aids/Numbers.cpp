#include "aids/Numbers.h"

#include "aids/AidsLogic.h"
#include "aids/Tools.h"
#include "aids/WindowKit.h"
#include "app/Errors.h"
#include "app/Palette.h"
#include "app/Panel.h"
#include "app/WindowSet.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableWidget>
#include <QToolButton>

TNumbers::TNumbers(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Numbers"));
    setWindowTitle(QStringLiteral("Kynän leveys"));
    setWindowFlags(Qt::Tool);

    Num = new QTableWidget(PenWidthRows, PenWidthColumns, this);
    Num->setObjectName(QStringLiteral("Num"));
    Num->setAccessibleName(QStringLiteral("Kynän leveys"));
    Num->horizontalHeader()->hide();
    Num->verticalHeader()->hide();
    for (QHeaderView* header : {Num->horizontalHeader(), Num->verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setDefaultSectionSize(PenWidthCellSize);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    Num->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Num->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Num->setFrameShape(QFrame::NoFrame);
    Num->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Num->setSelectionMode(QAbstractItemView::SingleSelection);
    Num->setTabKeyNavigation(false);
    Num->setShowGrid(true);
    Num->setTextElideMode(Qt::ElideNone); // "30" fits a 22-pixel cell in this font
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    Num->setFont(small);
    Num->setGeometry(0, 0, PenWidthColumns * PenWidthCellSize, PenWidthRows * PenWidthCellSize);
    setFixedSize(Num->size());

    FormCreate();
    // The grid always has a current cell, so that focusing it never chooses one by itself.
    Num->setCurrentCell(0, 0);

    // A click on the current cell changes nothing, so it is told apart from a click that
    // moves the current cell (which already ran NumClick through the change).
    Num->viewport()->installEventFilter(this);
    connect(Num, &QTableWidget::currentCellChanged, this, reporting(this, &TNumbers::NumClick));
    connect(Num, &QTableWidget::cellClicked, this, [this](int row, int col) {
        if (row == m_pressedRow && col == m_pressedCol) reportingErrors([this] { NumClick(); });
    });
}

void TNumbers::FormCreate() {
    for (int row = 0; row < PenWidthRows; ++row)
        for (int col = 0; col < PenWidthColumns; ++col) {
            auto* item = new QTableWidgetItem(QString::number(penWidthAt({col, row})));
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            Num->setItem(row, col, item);
        }
}

void TNumbers::FindCell(int n) {
    const std::optional<GridCell> cell = penWidthCell(n);
    if (!cell) return;
    Num->setCurrentCell(cell->row, cell->col);
    if (ws.Palette) ws.Palette->PanelPenWidth->setText(Num->item(cell->row, cell->col)->text());
}

void TNumbers::NumClick() {
    if (paletteLoading(ws)) return;
    const QTableWidgetItem* item = Num->currentItem();
    if (!item) return;
    const int width = item->text().toInt();
    if (ws.Tools->shape() == Shape::Dot)
        ws.Palette->DotPenWidth = width;
    else
        ws.Palette->LinePenWidth = width;
    ws.Palette->Settings();
    hide();
}

bool TNumbers::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Num->viewport() && e->type() == QEvent::MouseButtonPress) {
        m_pressedRow = Num->currentRow();
        m_pressedCol = Num->currentColumn();
    }
    return QWidget::eventFilter(watched, e);
}
