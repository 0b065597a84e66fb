#pragma once
// Keyboard play on one table: a focus target laid over the table's tiles. It draws a cursor
// frame inside one tile while it has the focus, turns keys into the clicks a mouse would make,
// and lets a screen reader read the cursor's cell. Mouse clicks pass through it to the cells.

#include "shell/AccessibleParts.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class TBoardCursor : public QWidget, public qx::AccessiblePartsSource {
    Q_OBJECT
public:
    // What the cursor needs of its window: the table as it stands and the clicks to make.
    struct Table {
        std::function<int()> side;             // grid side of the board shown
        std::function<bool()> empty;           // no numbers on the board: keys do nothing
        std::function<QString(int k)> number;  // the number of BoardIndex k
        std::function<QString(int k)> state;   // 選択中 / 入れ替え候補 / 正しい位置, or empty
        std::function<int()> lastPicked;       // BoardIndex picked or selected last here; 0: none
        std::function<void(int k)> leftClick;
        std::function<void(int k)> rightClick;
        std::function<void()> swap;  // 入れ替え, when the button is enabled
    };

    // Covers the 5 × 5 tiles whose first tile is at `firstTile`; `name` is "表A", "表B" or empty.
    TBoardCursor(QWidget* parent, QPoint firstTile, const QString& name, Table table);

    // Takes the focus from `previous`, which gets it back on Tab or Escape.
    void Enter(QWidget* previous);
    // Gives the focus back to the control that had it before.
    void Leave();
    QWidget* Previous() const { return previous_; }

    int Cursor() const { return cursor_; }
    // The cells' looks changed: repaint and tell screen readers about the cursor's cell.
    void CellsChanged();

    int AccessiblePartCount() const override;
    qx::AccessiblePart AccessiblePartAt(int index) const override;
    QAccessible::Role AccessiblePartRole() const override { return QAccessible::Cell; }
    int AccessibleFocusPart() const override;

    static constexpr int Step = 44;  // tiles on a 44 px step, 45 px wide
    static constexpr int Tile = 45;

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRect TileRect(int k) const;
    bool Accepts(const QWidget* w) const;
    void MoveTo(int k);
    QString CellName(int k) const;

    QString name_;
    Table table_;
    int cursor_ = 1;
    QString lastSaid_;  // the cursor cell's description as screen readers heard it last
    QPointer<QWidget> previous_;
};
