#pragma once
// The main menu: opens the two games and offers help, About and quit.

#include "core/Board.h"
#include "shell/FormBase.h"

#include <QPointer>
#include <functional>

class QLabel;
class TCuteButton;

class TForm1 : public TFormBase {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // The buttons that open the games; their objectNames are the designed ones.
    TCuteButton* Puzzle1Button() const { return puzzle1Button_; }
    TCuteButton* Puzzle2Button() const { return puzzle2Button_; }

    // The game windows the two buttons open; either may still be missing.
    void SetGameWindows(TFormBase* puzzle1, TFormBase* puzzle2);
    // Runs before a game is opened: start-up may still have the game windows to make.
    std::function<void()> beforeOpeningGame;

    void OpenPuzzle1();
    void OpenPuzzle2();
    // "バージョン情報".
    void ShowAbout();

    // The About text, lines separated by "\r\n".
    static QString AboutText();

protected:
    // The close box ends the program without asking.
    void closeEvent(QCloseEvent* event) override;

private:
    // Once, at the end of the construction: the help file, the greeting and its cue.
    void Greet();
    void OpenGame(qx::GameType game);
    QLabel* MakeLabel(const char* name, int left, int top, const QString& text, int pixelHeight);
    TCuteButton* MakeButton(int left, int top, const QString& caption, void (TForm1::*handler)());

    TCuteButton* puzzle1Button_ = nullptr;
    TCuteButton* puzzle2Button_ = nullptr;
    QPointer<TFormBase> puzzle1_;
    QPointer<TFormBase> puzzle2_;
};

// The program's icon: a small grid of number tiles.
class QIcon;
QIcon ProgramIcon();
