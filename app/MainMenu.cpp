#include "app/MainMenu.h"

#include "core/GameState.h"
#include "core/SoundCue.h"
#include "shell/ColoredButton.h"
#include "shell/HelpViewer.h"
#include "shell/Look.h"
#include "shell/Seams.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>

using namespace qx;

namespace {
constexpr unsigned Navy = Rgb(0x00, 0x00, 0x80);
constexpr unsigned ButtonGreen = Rgb(0xBF, 0xF9, 0xC7);
}  // namespace

TForm1::TForm1(QWidget* parent) : TFormBase(QStringLiteral("ＱＸパズル"), 536, 415, parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(ProgramIcon());
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    SetStatusPanelWidth(360);

    MakeLabel("Label4", 192, 49, QStringLiteral("メニュー"), 21);
    MakeLabel("Label5", 72, 127, QStringLiteral("Ⅰ．１表での入れ替え・・・　"), 16);
    MakeLabel("Label6", 72, 167, QStringLiteral("Ⅱ．２表間の入れ替え・・・"), 16);
    puzzle1Button_ = MakeButton(320, 123, QStringLiteral("QXパズルⅠ"), &TForm1::OpenPuzzle1);
    puzzle1Button_->setObjectName(QStringLiteral("CuteButton2"));
    puzzle2Button_ = MakeButton(320, 163, QStringLiteral("QXパズルⅡ"), &TForm1::OpenPuzzle2);
    puzzle2Button_->setObjectName(QStringLiteral("CuteButton3"));
    // "QXパズルⅡ" comes first in the tab order and holds the focus at start.
    setTabOrder(puzzle2Button_, puzzle1Button_);
    puzzle2Button_->setFocus(Qt::OtherFocusReason);

    QMenu* help = AddMenu("Help1", QStringLiteral("ヘルプ"));
    AddCommand(help, "N1", QStringLiteral("遊び方"), [this] { ShowHelpContents(); });
    AddCommand(help, "About1", QStringLiteral("バージョン情報"), [this] { ShowAbout(); });
    AddCommand(nullptr, "Exit1", QStringLiteral("終了"), [this] { AskQuit(); });

    // Centred on the screen when first shown.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        QRect frame(QPoint(0, 0), size() + QSize(8, 30));
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    Greet();
}

QLabel* TForm1::MakeLabel(const char* name, int left, int top, const QString& text, int pixelHeight)
{
    auto* label = new QLabel(text, Client());
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(UiFont(MaruGothic, pixelHeight, true));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, TColor(Navy));
    label->setPalette(pal);
    label->move(left, top);
    label->adjustSize();
    return label;
}

TCuteButton* TForm1::MakeButton(int left, int top, const QString& caption, void (TForm1::*handler)())
{
    auto* button = new TCuteButton(Client());
    button->setCaption(caption);
    button->setColor(TColor(ButtonGreen));
    button->setFont(UiFont(MaruGothic, 16, true));
    QPalette pal = button->palette();
    pal.setColor(QPalette::ButtonText, TColor(Navy));
    pal.setColor(QPalette::WindowText, TColor(Navy));
    button->setPalette(pal);
    button->setEgnoreContClick(false);
    button->setFlat(false);
    button->setShowFocusRect(false);
    button->setUseDisabledColor(false);
    button->setGeometry(left, top, 105, 25);
    connect(button, &TCuteButton::clicked, this, handler);
    return button;
}

void TForm1::Greet()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    qx::FillGameState({.programDir = dir.toStdString()});
    // This platform has no viewer for the old help format; the page is HTML.
    SetHelpFile(dir + QStringLiteral("ＱＸパズル.html"), this);
    SetStatusText(QStringLiteral("　メニューを選んでください。"));
    PlayCue(SoundCue::Greeting);
}

void TForm1::SetGameWindows(TFormBase* puzzle1, TFormBase* puzzle2)
{
    puzzle1_ = puzzle1;
    puzzle2_ = puzzle2;
}

void TForm1::OpenGame(GameType game)
{
    if (beforeOpeningGame) beforeOpeningGame();
    TFormBase* window = game == GameType::PuzzleI ? puzzle1_ : puzzle2_;
    if (!window) return;
    // Every game window opens on 9 cells under free swaps, and the record says so after it closes.
    using qx::BoardSize, qx::SwapCondition;
    qx::FillGameState({.game = game, .size = BoardSize::Cells9, .condition = SwapCondition::FreeSwap});
    window->ShowModal();
    qx::FillGameState({.size = BoardSize::Cells9, .condition = SwapCondition::FreeSwap});
}

void TForm1::OpenPuzzle1() { OpenGame(GameType::PuzzleI); }
void TForm1::OpenPuzzle2() { OpenGame(GameType::PuzzleII); }

QString TForm1::AboutText() { return QStringLiteral("ＱＸパズル\r\nVersion 2.3\r\n\r\n© 2026 ＱＸパズル開発チーム"); }

void TForm1::ShowAbout() { Messages().info(AboutText()); }

void TForm1::closeEvent(QCloseEvent* event)
{
    event->accept();
    QuitProgram();
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(TColor(colors::WindowColor));
        p.drawRoundedRect(QRectF(0, 0, size, size), size * 0.15, size * 0.15);
        // Three by three tiles; the diagonal ones stand in place (pink), one is selected (green).
        const double gap = size / 16.0;
        const double tile = (size - 4 * gap) / 3.0;
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col) {
                unsigned color = colors::PlainTileColor;
                if (row == col) color = colors::InPlaceColor;
                if (row == 0 && col == 2) color = ButtonGreen;
                p.setBrush(TColor(color));
                p.drawRoundedRect(QRectF(gap + col * (tile + gap), gap + row * (tile + gap), tile, tile), tile * 0.15,
                                  tile * 0.15);
            }
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
