// Buttons in the game window's colours, to look at each of their looks by eye.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include "shell/ColoredButton.h"

namespace {

// 0x00BBGGRR, as the windows give their colours.
QColor FromBgr(unsigned value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QFont::insertSubstitutions(QStringLiteral("HG丸ｺﾞｼｯｸM-PRO"),
                               {QStringLiteral("MotoyaLMaru"), QStringLiteral("IPAPGothic")});

    QWidget window;
    window.setWindowTitle(QStringLiteral("TCuteButton"));
    window.setFixedSize(300, 330);
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, FromBgr(16771818));
    window.setPalette(pal);
    window.setAutoFillBackground(true);

    struct Face {
        const char* name;
        const char* caption;
        unsigned color;
    };
    const Face faces[] = {
        {"CuteButton1", "新しい問題", 11597734}, {"CuteButton2", "同じ問題", 0xC0DCC0},
        {"CuteButton3", "入れ替え", 7370746},    {"CuteButton4", "中断", 16507822},
        {"CuteButton5", "再開", 11007429},       {"CuteButton6", "取止め", 14858977},
    };
    QFont font(QStringLiteral("HG丸ｺﾞｼｯｸM-PRO"));
    font.setPixelSize(13);
    font.setBold(true);
    int top = 20;
    for (const Face& s : faces) {
        auto* b = new TCuteButton(&window);
        b->setObjectName(s.name);
        b->setCaption(QString::fromUtf8(s.caption));
        b->setColor(FromBgr(s.color));
        b->setDisabledColor(FromBgr(0xF0CAA6));
        b->setFont(font);
        b->setGeometry(20, top, 90, 25);
        top += 40;
    }
    window.findChild<TCuteButton*>("CuteButton4")->setEnabled(false);

    // A few of the other settings, to the right.
    auto* flat = new TCuteButton(&window);
    flat->setCaption(QStringLiteral("&Flat"));
    flat->setFlat(true);
    flat->setShowFocusRect(true);
    flat->setGeometry(160, 20, 110, 25);
    auto* left = new TCuteButton(&window);
    left->setCaption(QStringLiteral("左寄せ&L"));
    left->setAlignment(Qt::AlignLeft);
    left->setMarginX(6);
    left->setFont(font);
    left->setColor(FromBgr(11597734));
    left->setShowFocusRect(true);
    left->setGeometry(160, 60, 110, 25);
    auto* wide = new TCuteButton(&window);
    wide->setCaption(QStringLiteral("太枠"));
    wide->setBevelWidth(3);
    wide->setFont(font);
    wide->setColor(FromBgr(14858977));
    wide->setGeometry(160, 100, 110, 40);
    auto* own = new TCuteButton(&window);
    own->setCaption(QStringLiteral("無効色"));
    own->setFont(font);
    own->setColor(FromBgr(11597734));
    own->setDisabledColor(FromBgr(0xF0CAA6));
    own->setUseDisabledColor(true);
    own->setEnabled(false);
    own->setGeometry(160, 160, 110, 25);

    auto* menu = new QMenu(&window);
    menu->addAction(QStringLiteral("３ × ３"));
    menu->addAction(QStringLiteral("４ × ４"));
    menu->addAction(QStringLiteral("５ × ５"));
    auto* drop = new TCuteButton(&window);
    drop->setObjectName("DropDown");
    drop->setCaption(QStringLiteral("長押しで選択"));
    drop->setFont(font);
    drop->setColor(FromBgr(16507822));
    drop->setDropDownMenu(menu);
    drop->setDropDownDelay(500);
    drop->setGeometry(160, 200, 110, 25);

    auto* clicks = new QLabel(QStringLiteral("0"), &window);
    clicks->setObjectName("Clicks");
    clicks->setGeometry(160, 260, 120, 20);
    for (auto* b : window.findChildren<TCuteButton*>())
        QObject::connect(b, &TCuteButton::clicked, clicks, [clicks, b] {
            clicks->setText(QString::number(clicks->text().section(' ', 0, 0).toInt() + 1) + ' ' +
                            QString(b->Caption()).remove('&'));
        });

    window.move(0, 0);
    window.show();
    return app.exec();
}
