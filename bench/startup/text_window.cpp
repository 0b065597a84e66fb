// The floor for a window with text: the bare window plus the main menu's texts in the same faces
// (menu bar, labels, two buttons, status bar), without the game's own code, database or sounds.
#include "shell/Look.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    qx::InstallFontSubstitutions();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("text window"));
    window.setFont(qx::UiFont(qx::PGothic, 12));
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("ヘルプ"));
    help->addAction(QStringLiteral("遊び方"));
    help->addAction(QStringLiteral("バージョン情報"));
    window.menuBar()->addAction(QStringLiteral("終了"));
    auto* client = new QWidget;
    window.setCentralWidget(client);
    const struct {
        int top, pixels;
        const char* text;
    } labels[] = {
        {49, 21, "メニュー"}, {127, 16, "Ⅰ．１表での入れ替え・・・　"}, {167, 16, "Ⅱ．２表間の入れ替え・・・"}};
    for (const auto& l : labels) {
        auto* label = new QLabel(QString::fromUtf8(l.text), client);
        label->setFont(qx::UiFont(qx::MaruGothic, l.pixels, true));
        label->move(72, l.top);
        label->adjustSize();
    }
    int top = 123;
    for (const char* caption : {"QXパズルⅠ", "QXパズルⅡ"}) {
        auto* button = new QPushButton(QString::fromUtf8(caption), client);
        button->setFont(qx::UiFont(qx::MaruGothic, 16, true));
        button->setGeometry(320, top, 105, 25);
        top += 40;
    }
    window.statusBar()->setFont(qx::UiFont(qx::UiGothic, 13, true));
    window.statusBar()->showMessage(QStringLiteral("　メニューを選んでください。  12:00:00"));
    window.setFixedSize(536, 415);
    window.show();
    return app.exec();
}
