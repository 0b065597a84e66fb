#pragma once
// The cell controls of one table: a tile and a number label for every LayoutPosition, reached by
// BoardIndex of the rendered size; it shows one table of a game model.

#include "core/Board.h"
#include "core/Game.h"
#include "core/Problem.h"

#include <QColor>
#include <QLabel>
#include <QString>
#include <QWidget>
#include <array>
#include <vector>

// A rectangle with a one-pixel black outline and a fill colour (also used for one-pixel lines).
class TShape : public QWidget {
    Q_OBJECT
public:
    explicit TShape(QWidget* parent = nullptr);

    QColor BrushColor() const { return brush_; }
    // Repaints only when the colour changes, so recolouring a whole board stays cheap.
    void SetBrushColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor brush_ = Qt::white;
};

// Text colour of a label through its palette (no style sheet: recolouring must stay cheap).
void SetLabelColor(QLabel* label, const QColor& color);
QColor LabelColor(const QLabel* label);

class TBoardCells {
public:
    static constexpr int Positions = 25;

    TBoardCells() = default;
    TBoardCells(const std::array<TShape*, Positions>& tiles, const std::array<QLabel*, Positions>& labels);

    // By LayoutPosition p = 1 … 25.
    TShape* TileAt(int p) const { return tiles_[p - 1]; }
    QLabel* LabelAt(int p) const { return labels_[p - 1]; }
    // By BoardIndex k = 1 … CellCount of the size last rendered.
    TShape* Tile(int k) const;
    QLabel* NumberLabel(int k) const;

    QString Number(int k) const;

    // Shows a table of the game: the active grid's tiles, every number with its colours; the
    // labels outside the active grid stay empty. Only what changed is repainted.
    void Render(const qx::BoardTable& cells, qx::BoardSize size);

private:
    std::array<TShape*, Positions> tiles_{};
    std::array<QLabel*, Positions> labels_{};
    qx::BoardSize size_ = qx::BoardSize::Cells9;
};
