#include "games/Puzzle1Window.h"

#include "core/Board.h"
#include "core/GameState.h"
#include "shell/ColoredButton.h"
#include "shell/Look.h"
#include "shell/Seams.h"

#include <QLineEdit>

using namespace qx;

namespace {

// Number label of layout row 1, column 1; its tile stands 6 left and 16 above.
const QPoint FirstLabel(184, 56);

TCompletedTableGeometry CompletedGeometry()
{
    TCompletedTableGeometry g;
    g.panel = QRect(104, 319, 130, 130);
    g.frameStyle = QFrame::Box | QFrame::Plain;
    g.firstLabelNumber = 6;
    g.labelLefts = {3, 28, 52, 77, 103};
    g.labelTops = {5, 30, 55, 80, 105};
    g.labelSize = QSize(22, 17);
    g.gridLines = {QRect(0, 25, 130, 1), QRect(0, 50, 130, 1), QRect(0, 75, 130, 1), QRect(0, 100, 130, 1),
                   QRect(25, 0, 1, 130), QRect(50, 0, 1, 130), QRect(75, 0, 1, 130), QRect(100, 0, 1, 130)};
    g.panelSizes = {QSize(79, 77), QSize(104, 102), QSize(130, 130)};
    return g;
}

TGameWindowPlacement Puzzle1Placement()
{
    TGameWindowPlacement p;
    p.confirmStartPos = QPoint(440, 470);
    p.buttonLeft = 520;
    p.buttonTops = {72, 112, 152, 256, 296, 336};
    p.newProblemColor = colors::NewProblemButtonColor;
    p.conditionLabel = QRect(512, 38, 107, 19);
    p.countDisplay = QPoint(360, 322);
    p.timeDisplay = QPoint(360, 344);
    p.parCaption = QPoint(304, 372);
    p.parDisplay = QPoint(360, 366);
    return p;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : TGameWindow(QStringLiteral("　QXパズルⅠ"), Puzzle1Placement(), parent)
{
    const QPoint firstTile = FirstLabel + QPoint(-6, -16);
    cells_ = CreateTable(0, {firstTile, FirstLabel, QSize(33, 19), UiFont(MaruGothic, 19, true), 9, 31});
    AddBoardCursor(0, firstTile, QString());
    CreateCompletedTable(CompletedGeometry());
    CreateCaptions();
    CreateMenu();
    SetTabOrderOf({NewProblemButton(), TimeDisplay(), SameProblemButton(), SwapButton(), InterruptButton(),
                   CancelButton(), ResumeButton(), CompletedPanel(), CountDisplay()});
    FormCreate();
}

void TForm2::CreateCaptions()
{
    PlaceCaption("Label3", QStringLiteral("完成表"), QPoint(107, 298));
    PlaceCaption("Label4", QStringLiteral("回数"), QPoint(304, 320));
    PlaceCaption("Label5", QStringLiteral("時間"), QPoint(304, 346));
}

void TForm2::CreateMenu()
{
    CreateGameMenu({.back = "N12",
                    .sizeMenu = "N1",
                    .sizes = {"N3", "N4", "N6"},
                    .firstSizeText = QStringLiteral("９マス"),
                    .conditionMenu = "N7",
                    .conditions = {"N8", "N9", "N10", "N11", "N13", "N14"},
                    .record = "N2",
                    .recordText = QStringLiteral("記録表"),
                    .help = "N5"},
                   [this] { GoBack(); });
}

// ---- the board ----

void TForm2::ShowCompletedTable()
{
    TGameWindow::ShowCompletedTable();
    // The grid line on the far edge of the active grid would stand beside the panel's own border
    // as a second line; only the lines between the rows and columns of the grid are drawn.
    const int side = game_.Side();
    for (int i = 1; i <= 4; ++i) {
        GridLine(i)->setVisible(i < side);
        GridLine(i + 4)->setVisible(i < side);
    }
}

void TForm2::CellPressed(int, int k, Qt::MouseButton button)
{
    Apply(button == Qt::RightButton ? game_.Unselect(k) : game_.Select(k));
}

void TForm2::GoBack()
{
    close();
    qx::FillGameState({.size = BoardSize::Cells9});
}
