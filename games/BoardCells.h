#pragma once
// The cell controls of one table: a tile and a number label for every LayoutPosition, reached by
// BoardIndex through GameState.CellMap. The number labels hold the board's numbers; everything
// here reads and writes them directly and applies the core's answers to the tiles.

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
    // By BoardIndex k = 1 … CellCount of the active size.
    TShape* Tile(int k) const;
    QLabel* NumberLabel(int k) const;

    QString Number(int k) const;
    void SetNumber(int k, const QString& text);
    // The numbers of cells 1 … CellCount, as the board shows them.
    qx::Table Numbers() const;
    // Lays out cells 1 … CellCount from `numbers` (element k − 1 for cell k).
    void SetNumbers(const qx::Table& numbers);

    // Every tile white, every label empty and navy, at all 25 positions.
    void Clear();
    // Only the tiles of the active grid are shown; the labels stay where they are.
    void ShowActiveTiles();

    void FillTile(int k, const QColor& color);
    void ColorNumber(int k, const QColor& color);

    // Tiles of cells standing in place pink, the others white (so partner marks go).
    void MarkInPlace();
    // Colours the given cells as partners.
    void MarkCells(const std::vector<int>& cells);

private:
    std::array<TShape*, Positions> tiles_{};
    std::array<QLabel*, Positions> labels_{};
};
