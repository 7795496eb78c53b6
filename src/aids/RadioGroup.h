#pragma once
// A framed group of radio buttons built from a list of item texts, with one chosen item
// index (-1 for none), laid out in columns.
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(const QString& caption, QWidget* parent = nullptr);

    // Replaces the items; none is chosen afterwards.
    void setItems(const QStringList& items);
    QStringList items() const { return m_items; }

    int itemIndex() const;
    // Chooses an item; -1 or an index outside the items chooses none.
    void setItemIndex(int index);

    void setColumns(int columns);
    int columns() const { return m_columns; }

signals:
    // The user chose an item.
    void clicked(int index);

private:
    void rebuild();

    QStringList m_items;
    int m_columns = 1;
    QButtonGroup* m_buttons = nullptr;
    QGridLayout* m_layout = nullptr;
};
