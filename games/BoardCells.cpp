#include "games/BoardCells.h"

#include "core/Board.h"
#include "core/GameState.h"
#include "shell/Look.h"

#include <QPainter>

using namespace qx;

TShape::TShape(QWidget* parent) : QWidget(parent)
{
    // Paints every pixel itself: no background fill underneath is needed.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TShape::SetBrushColor(const QColor& color)
{
    if (color == brush_) return;
    brush_ = color;
    update();
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), brush_);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SetLabelColor(QLabel* label, const QColor& color)
{
    if (LabelColor(label) == color) return;
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
}

QColor LabelColor(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

TBoardCells::TBoardCells(const std::array<TShape*, Positions>& tiles, const std::array<QLabel*, Positions>& labels)
    : tiles_(tiles), labels_(labels)
{
}

TShape* TBoardCells::Tile(int k) const { return tiles_[GameState.CellMap[k - 1] - 1]; }
QLabel* TBoardCells::NumberLabel(int k) const { return labels_[GameState.CellMap[k - 1] - 1]; }

QString TBoardCells::Number(int k) const { return NumberLabel(k)->text(); }

void TBoardCells::SetNumber(int k, const QString& text) { NumberLabel(k)->setText(text); }

Table TBoardCells::Numbers() const
{
    Table numbers;
    const int n = CellCount();
    numbers.reserve(n);
    for (int k = 1; k <= n; ++k) numbers.push_back(Number(k).toStdString());
    return numbers;
}

void TBoardCells::SetNumbers(const Table& numbers)
{
    const int n = CellCount();
    for (int k = 1; k <= n && k <= int(numbers.size()); ++k)
        SetNumber(k, QString::fromStdString(numbers[k - 1]));
}

void TBoardCells::Clear()
{
    const QColor white = TColor(colors::PlainTileColor);
    const QColor navy = TColor(colors::NumberColor);
    for (int p = 1; p <= Positions; ++p) {
        TileAt(p)->SetBrushColor(white);
        SetLabelColor(LabelAt(p), navy);
        LabelAt(p)->clear();
    }
}

void TBoardCells::ShowActiveTiles()
{
    std::array<bool, Positions> active{};
    const int n = CellCount();
    for (int k = 1; k <= n; ++k) active[GameState.CellMap[k - 1] - 1] = true;
    for (int p = 1; p <= Positions; ++p) TileAt(p)->setVisible(active[p - 1]);
}

void TBoardCells::FillTile(int k, const QColor& color) { Tile(k)->SetBrushColor(color); }

void TBoardCells::ColorNumber(int k, const QColor& color) { SetLabelColor(NumberLabel(k), color); }

void TBoardCells::MarkInPlace()
{
    const QColor white = TColor(colors::PlainTileColor);
    const QColor pink = TColor(colors::InPlaceColor);
    const Table numbers = Numbers();
    const int n = CellCount();
    for (int k = 1; k <= n; ++k) FillTile(k, IsInPlace(numbers, k) ? pink : white);
}

void TBoardCells::MarkCells(const std::vector<int>& cells)
{
    const QColor green = TColor(colors::PartnerColor);
    for (int k : cells) FillTile(k, green);
}
