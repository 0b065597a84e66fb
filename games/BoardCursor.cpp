#include "games/BoardCursor.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

namespace {

// Orange: unlike every tile (white, pink, pale green) and number colour (navy, reds).
const QColor CursorColor(255, 140, 0);
constexpr int CursorPen = 3;
constexpr int GridTiles = 5;

}  // namespace

TBoardCursor::TBoardCursor(QWidget* parent, QPoint firstTile, const QString& name, Table table)
    : QWidget(parent), name_(name), table_(std::move(table))
{
    qx::InstallAccessibleParts();
    setGeometry(QRect(firstTile, QSize(Step * (GridTiles - 1) + Tile, Step * (GridTiles - 1) + Tile)));
    // Clicks reach the cells below, and neither a click nor Tab brings the focus here: only F6.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(name.isEmpty() ? QStringLiteral("盤") : name);
    raise();
}

QRect TBoardCursor::TileRect(int k) const
{
    const int side = std::max(1, table_.side());
    return QRect(((k - 1) % side) * Step, ((k - 1) / side) * Step, Tile, Tile);
}

QString TBoardCursor::CellName(int k) const
{
    const int side = std::max(1, table_.side());
    const QString place =
        QStringLiteral("%1行%2列 %3").arg((k - 1) / side + 1).arg((k - 1) % side + 1).arg(table_.number(k));
    return name_.isEmpty() ? place : name_ + QLatin1Char(' ') + place;
}

void TBoardCursor::Enter(QWidget* previous)
{
    if (previous && previous != this) previous_ = previous;
    setFocus(Qt::OtherFocusReason);
}

void TBoardCursor::Leave()
{
    // The control it came from may have been switched off meanwhile: then the next one that
    // takes the focus by Tab.
    QWidget* next = previous_;
    for (QWidget* w = nextInFocusChain(); !Accepts(next) && w != this; w = w->nextInFocusChain())
        if (Accepts(w)) next = w;
    if (Accepts(next))
        next->setFocus(Qt::OtherFocusReason);
    else
        clearFocus();
}

bool TBoardCursor::Accepts(const QWidget* w) const
{
    return w && w != this && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible() &&
           w->window() == window();
}

void TBoardCursor::MoveTo(int k)
{
    cursor_ = k;
    update();
    lastSaid_ = CellName(k) + QLatin1Char('|') + table_.state(k);
    qx::NotifyAccessiblePart(this, k - 1, QAccessible::Focus);
}

void TBoardCursor::CellsChanged()
{
    update();
    if (!hasFocus()) return;
    const int cells = table_.side() * table_.side();
    if (cursor_ > cells) return MoveTo(1);
    if (CellName(cursor_) + QLatin1Char('|') + table_.state(cursor_) == lastSaid_) return;
    lastSaid_ = CellName(cursor_) + QLatin1Char('|') + table_.state(cursor_);
    qx::NotifyAccessiblePart(this, cursor_ - 1, QAccessible::NameChanged);
    qx::NotifyAccessiblePart(this, cursor_ - 1, QAccessible::DescriptionChanged);
}

void TBoardCursor::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    const int cells = table_.side() * table_.side();
    const int picked = table_.lastPicked();
    MoveTo(picked > 0 ? picked : std::clamp(cursor_, 1, std::max(1, cells)));
}

void TBoardCursor::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

bool TBoardCursor::event(QEvent* event)
{
    // Tab leaves the board for the control it came from, instead of walking the tab chain.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            Leave();
            return true;
        }
    }
    return QWidget::event(event);
}

void TBoardCursor::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) return Leave();
    if (table_.empty()) return;
    const int side = table_.side();
    const int row = (cursor_ - 1) / side, column = (cursor_ - 1) % side;
    switch (event->key()) {
    case Qt::Key_Left: return MoveTo(cursor_ - (column > 0 ? 1 : 0));
    case Qt::Key_Right: return MoveTo(cursor_ + (column < side - 1 ? 1 : 0));
    case Qt::Key_Up: return MoveTo(cursor_ - (row > 0 ? side : 0));
    case Qt::Key_Down: return MoveTo(cursor_ + (row < side - 1 ? side : 0));
    case Qt::Key_Space: return table_.leftClick(cursor_);
    case Qt::Key_Backspace:
    case Qt::Key_Delete: return table_.rightClick(cursor_);
    case Qt::Key_Return:
    case Qt::Key_Enter: return table_.swap();
    default: QWidget::keyPressEvent(event);
    }
}

void TBoardCursor::paintEvent(QPaintEvent*)
{
    if (!hasFocus() || table_.empty()) return;
    QPainter painter(this);
    painter.setPen(QPen(CursorColor, CursorPen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    // Inside the tile's one-pixel outline, clear of the number.
    const int inset = 1 + CursorPen / 2 + 1;
    painter.drawRect(TileRect(cursor_).adjusted(inset, inset, -inset - 1, -inset - 1));
}

int TBoardCursor::AccessiblePartCount() const { return table_.side() * table_.side(); }

qx::AccessiblePart TBoardCursor::AccessiblePartAt(int index) const
{
    return {CellName(index + 1), table_.state(index + 1), TileRect(index + 1)};
}

int TBoardCursor::AccessibleFocusPart() const { return hasFocus() ? cursor_ - 1 : -1; }
