#include "aids/RadioGroup.h"

#include "app/Errors.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include <algorithm>

RadioGroup::RadioGroup(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {
    m_buttons = new QButtonGroup(this);
    m_layout = new QGridLayout(this);
    m_layout->setContentsMargins(6, 2, 6, 2);
    m_layout->setSpacing(0);
    connect(m_buttons, &QButtonGroup::idClicked, this, reporting(this, &RadioGroup::clicked));
}

void RadioGroup::setItems(const QStringList& items) {
    m_items = items;
    rebuild();
}

void RadioGroup::setColumns(int columns) {
    m_columns = std::max(1, columns);
    rebuild();
}

int RadioGroup::itemIndex() const {
    return m_buttons->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* b = m_buttons->button(index)) {
        b->setChecked(true);
        return;
    }
    // An exclusive group cannot be emptied by unchecking its chosen button.
    m_buttons->setExclusive(false);
    for (QAbstractButton* b : m_buttons->buttons())
        b->setChecked(false);
    m_buttons->setExclusive(true);
}

void RadioGroup::rebuild() {
    for (QAbstractButton* b : m_buttons->buttons()) {
        m_buttons->removeButton(b);
        delete b;
    }
    // Items run down the first column, then down the next.
    const int rows = (int(m_items.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < m_items.size(); ++i) {
        auto* b = new QRadioButton(m_items[i], this);
        b->setObjectName(QStringLiteral("%1Item%2").arg(objectName()).arg(i));
        m_buttons->addButton(b, i);
        m_layout->addWidget(b, i % rows, i / rows);
    }
}
