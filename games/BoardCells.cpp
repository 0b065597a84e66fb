#include "games/BoardCells.h"

#include "core/Board.h"
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

TShape* TBoardCells::Tile(int k) const { return tiles_[LayoutPositionOf(k, size_) - 1]; }
QLabel* TBoardCells::NumberLabel(int k) const { return labels_[LayoutPositionOf(k, size_) - 1]; }

QString TBoardCells::Number(int k) const { return NumberLabel(k)->text(); }

namespace {

unsigned TileColor(TileLook look)
{
    switch (look) {
    case TileLook::InPlace: return colors::InPlaceColor;
    case TileLook::Partner: return colors::PartnerColor;
    case TileLook::Plain: break;
    }
    return colors::PlainTileColor;
}

unsigned InkColor(NumberLook look)
{
    switch (look) {
    case NumberLook::Selected: return colors::SelectedNumberColor;
    case NumberLook::Picked: return colors::PickedNumberColor;
    case NumberLook::Plain: break;
    }
    return colors::NumberColor;
}

void ShowNumber(QLabel* label, const QString& text, const QColor& ink)
{
    SetLabelColor(label, ink);
    if (label->text() != text) label->setText(text);
}

}  // namespace

void TBoardCells::Render(const BoardTable& cells, BoardSize size)
{
    size_ = size;
    std::array<const BoardCell*, Positions> shown{};
    for (int k = 1; k <= int(cells.size()); ++k) shown[LayoutPositionOf(k, size) - 1] = &cells[k - 1];
    static const BoardCell Outside;
    for (int p = 1; p <= Positions; ++p) {
        const BoardCell& cell = shown[p - 1] ? *shown[p - 1] : Outside;
        TileAt(p)->setVisible(shown[p - 1] != nullptr);
        TileAt(p)->SetBrushColor(TColor(TileColor(cell.tile)));
        ShowNumber(LabelAt(p), QString::fromStdString(BoardNumberText(cell.number)), TColor(InkColor(cell.ink)));
    }
}
