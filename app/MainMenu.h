#pragma once
// The main menu: opens the two games and offers help, About and quit.

#include "shell/FormBase.h"

#include <QPointer>
#include <functional>

class QLabel;
class QMenu;
class QAction;
class TCuteButton;

class TForm1 : public TFormBase {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    TCuteButton* CuteButton2 = nullptr;
    TCuteButton* CuteButton3 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* N1 = nullptr;
    QAction* About1 = nullptr;
    QAction* Exit1 = nullptr;

    // The game windows the two buttons open; either may still be missing.
    void SetGameWindows(TFormBase* puzzle1, TFormBase* puzzle2);
    // Runs before a game is opened: start-up may still have the game windows to make.
    std::function<void()> BeforeOpeningGame;

    void FormCreate();
    void CuteButton2Click();
    void CuteButton3Click();
    void N1Click();
    void About1Click();

    // The About text, lines separated by "\r\n".
    static QString AboutText();

protected:
    // The close box ends the program without asking.
    void closeEvent(QCloseEvent* event) override;

private:
    void OpenGame(int gameType);
    QLabel* MakeLabel(const char* name, int left, int top, const QString& text, int pixelHeight);
    TCuteButton* MakeButton(const char* name, int left, int top, const QString& caption, void (TForm1::*handler)());

    QPointer<TFormBase> puzzle1_;
    QPointer<TFormBase> puzzle2_;
};

// The program's icon: a small grid of number tiles.
class QIcon;
QIcon ProgramIcon();
