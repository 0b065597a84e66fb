// The main menu, the window base every window shares, the clock, the real message boxes, the
// cue table, help and the error box for escaping errors.
#include "app/MainMenu.h"
#include "core/GameState.h"
#include "core/SoundCue.h"
#include "shell/Application.h"
#include "shell/Clock.h"
#include "shell/ColoredButton.h"
#include "shell/FormBase.h"
#include "shell/HelpViewer.h"
#include "shell/Look.h"
#include "shell/MessageBoxes.h"
#include "shell/SoundCues.h"
#include "support/Doubles.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <stdexcept>

using namespace qx;
using namespace qx::test;

namespace {

// A window that records what the base class asks of it.
class ProbeWindow : public TFormBase {
public:
    ProbeWindow() : TFormBase(QStringLiteral("probe"), 700, 540) {}
    QStringList calls;
    std::function<void()> onShow;

protected:
    void BeforeQuit() override { calls << QStringLiteral("BeforeQuit"); }
    void OnShowModal() override
    {
        calls << QStringLiteral("OnShowModal");
        if (onShow) onShow();
    }
};

// Counts QuitProgram() instead of ending the test.
struct QuitCounter {
    int count = 0;
    QuitCounter()
    {
        TFormBase::QuitHook() = [this] { ++count; };
    }
    ~QuitCounter() { TFormBase::QuitHook() = nullptr; }
};

// Whether a window is blocked by a modal window, as the toolkit last told it.
class BlockWatch : public QObject {
public:
    bool blocked = false;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::WindowBlocked) blocked = true;
        if (e->type() == QEvent::WindowUnblocked) blocked = false;
        return false;
    }
};

// An object whose event handler fails.
class Failing : public QObject {
public:
    int handled = 0;
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User) return QObject::event(e);
        ++handled;
        if (handled == 1) throw std::runtime_error("ディスクがいっぱいです");
        return true;
    }
};

}  // namespace

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetGameState(); }

    void clockText_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("text");
        auto at = [](int month, int day, int h, int m) { return QDateTime(QDate(2026, month, day), QTime(h, m)); };
        QTest::newRow("evening") << at(3, 7, 21, 5) << "03/07  09:05 PM";
        QTest::newRow("after midnight") << at(3, 7, 0, 30) << "03/07  12:30 AM";
        QTest::newRow("midnight") << at(1, 1, 0, 0) << "01/01  12:00 AM";
        QTest::newRow("noon") << at(12, 31, 12, 0) << "12/31  12:00 PM";
        QTest::newRow("before noon") << at(10, 9, 11, 59) << "10/09  11:59 AM";
        QTest::newRow("one pm") << at(6, 15, 13, 1) << "06/15  01:01 PM";
        QTest::newRow("last minute") << at(6, 15, 23, 59) << "06/15  11:59 PM";
    }
    void clockText()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, text);
        QCOMPARE(ClockText(when), text);
    }

    void cueFiles_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("file");
        const char* names[] = {"pipo", "poon", "bubuu", "pinpon", "charararan", "bun", "chararan"};
        for (int id = 1; id <= 7; ++id)
            QTest::addRow("%d", id) << id << QStringLiteral("oto/%1.wav").arg(QLatin1String(names[id - 1]));
        QTest::newRow("cancel cue") << 9 << QString();
        QTest::newRow("zero") << 0 << QString();
        QTest::newRow("eight") << 8 << QString();
    }
    void cueFiles()
    {
        QFETCH(int, id);
        QFETCH(QString, file);
        FakeSounds sounds;
        PlayCue(qx::SoundCue(id));
        QCOMPARE(sounds.ids, QList<int>{id});
        QCOMPARE(sounds.files.value(0), file);
        // The request is made even without a file, with an empty (not null) name.
        QVERIFY(!sounds.files.value(0).isNull());
    }

    // Cues asked for before the output is opened wait without loading it; a burst on one turn of
    // the event loop plays only its last cue; an output that cannot be loaded is tried once.
    void cuesWaitForTheOutput()
    {
        struct Output : CueOutput {
            QStringList* started;
            explicit Output(QStringList* s) : started(s) {}
            void Start(const QString& fileName) override { *started << fileName; }
            void Prepare(const QString&) override {}
        };
        QStringList started;
        int loads = 0;
        SoundCues cues([&]() -> std::unique_ptr<CueOutput> {
            ++loads;
            return std::make_unique<Output>(&started);
        });
        cues.play(7, CueFileName(7));
        cues.play(6, CueFileName(6));
        QCoreApplication::processEvents();
        QCOMPARE(loads, 0);
        cues.Open();
        QCOMPARE(loads, 1);
        QCOMPARE(started, QStringList{CueFileName(6)});
        cues.play(1, CueFileName(1));
        cues.play(9, CueFileName(9));
        QCOMPARE(started.size(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(started, (QStringList{CueFileName(6), QString()}));
        cues.Open();
        QCOMPARE(loads, 1);

        SoundCues silent([&]() -> std::unique_ptr<CueOutput> {
            ++loads;
            return nullptr;
        });
        silent.Open();
        silent.play(3, CueFileName(3));
        QCoreApplication::processEvents();
        QCOMPARE(loads, 2);
    }

    void mainMenuAtStartUp()
    {
        FakeSounds sounds;
        TForm1 form;
        // Only the menu exists here: its creation asks for cue 7 alone.
        QCOMPARE(sounds.ids, QList<int>{7});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QCOMPARE(form.windowTitle(), QStringLiteral("ＱＸパズル"));
        QCOMPARE(form.StatusText(), QStringLiteral("　メニューを選んでください。"));
        QCOMPARE(form.StatusPanels()->PanelWidth(), 360);
        QCOMPARE(form.Client()->size(), QSize(528, 361));
        QCOMPARE(form.StatusPanels()->geometry(), QRect(0, 339, 528, 22));
        QCOMPARE(form.findChild<TCuteButton*>("CuteButton2")->geometry(), QRect(320, 123, 105, 25));
        QCOMPARE(form.findChild<TCuteButton*>("CuteButton3")->geometry(), QRect(320, 163, 105, 25));
        QCOMPARE(form.Puzzle1Button()->Caption(), QStringLiteral("QXパズルⅠ"));
        QCOMPARE(form.Puzzle2Button()->Caption(), QStringLiteral("QXパズルⅡ"));
        QCOMPARE(form.findChild<QLabel*>("Label4")->text(), QStringLiteral("メニュー"));
        QCOMPARE(form.findChild<QLabel*>("Label4")->pos(), QPoint(192, 49));
        QCOMPARE(form.findChild<QLabel*>("Label5")->text(), QStringLiteral("Ⅰ．１表での入れ替え・・・　"));
        QCOMPARE(form.findChild<QLabel*>("Label6")->pos(), QPoint(72, 167));
        QCOMPARE(form.menuBar()->objectName(), QStringLiteral("MainMenu1"));

        // "QXパズルⅡ" holds the focus, and Tab goes on to "QXパズルⅠ".
        QCOMPARE(form.focusWidget(), form.Puzzle2Button());
        QApplication::setActiveWindow(&form);
        QTest::keyClick(form.Puzzle2Button(), Qt::Key_Tab);
        QCOMPARE(form.focusWidget(), form.Puzzle1Button());

        // The help page lies beside the program, whose directory the designed record keeps.
        const QString programDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
        QCOMPARE(HelpFile(), programDir + QStringLiteral("ＱＸパズル.html"));
        QCOMPARE(GameState.ProgramDir, programDir.toStdString());

        QVERIFY(form.ClockText().isEmpty());
        form.ShowTime();
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d  \\d\\d:\\d\\d [AP]M$"))
                    .match(form.ClockText())
                    .hasMatch());
        QCOMPARE(form.findChild<QTimer*>("Timer1")->interval(), 1000);
        QVERIFY(form.ClockTimer()->isActive());
    }

    void fontsResolveToJapaneseFaces_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("installed");
        QTest::newRow("ＭＳ Ｐゴシック") << PGothic << "IPAPGothic";
        QTest::newRow("MS UI Gothic") << UiGothic << "IPAPGothic";
        QTest::newRow("HG丸ｺﾞｼｯｸM-PRO") << MaruGothic << "MotoyaLMaru";
    }
    void fontsResolveToJapaneseFaces()
    {
        QFETCH(QString, family);
        QFETCH(QString, installed);
        InstallFontSubstitutions();
        QCOMPARE(QFontInfo(UiFont(family, 16, true)).family(), installed);
    }

    void clientAreaOfOtherWindows()
    {
        ProbeWindow window;
        window.AddCommand(nullptr, "Exit1", QStringLiteral("終了"), [] {});
        QCOMPARE(window.Client()->size(), QSize(692, 486));
        QCOMPARE(window.StatusPanels()->geometry(), QRect(0, 464, 692, 22));
        QCOMPARE(window.StatusPanels()->PanelWidth(), 500);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The window is exactly its menu bar and its client area.
        QCOMPARE(window.size(), QSize(692, 486 + window.menuBar()->height()));
    }

    void maximizeIsUndone_data()
    {
        QTest::addColumn<Qt::WindowState>("state");
        QTest::newRow("maximized") << Qt::WindowMaximized;
        QTest::newRow("full screen") << Qt::WindowFullScreen;
    }

    void maximizeIsUndone()
    {
        QFETCH(Qt::WindowState, state);
        ProbeWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize size = window.size();
        // As a title bar drawn by the toolkit asks for it, past the widget.
        window.windowHandle()->setWindowStates(state);
        QTRY_COMPARE(window.windowState(), Qt::WindowNoState);
        QTRY_COMPARE(window.windowHandle()->windowStates(), Qt::WindowNoState);
        QCOMPARE(window.size(), size);
    }

    void quitAsks_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("キャンセル") << false;
        QTest::newRow("OK") << true;
    }
    void quitAsks()
    {
        QFETCH(bool, answer);
        FakeMessages boxes;
        boxes.answers = {answer};
        QuitCounter quit;
        ProbeWindow window;
        window.AskQuit();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("終ってもいいですか？")});
        QCOMPARE(boxes.last().kind, Box::Confirm);
        QCOMPARE(quit.count, answer ? 1 : 0);
        QCOMPARE(window.calls, answer ? QStringList{QStringLiteral("BeforeQuit")} : QStringList{});
    }

    void mainMenuCommands()
    {
        FakeMessages boxes;
        FakeHelp help;
        QuitCounter quit;
        TForm1 form;

        form.findChild<QAction*>("N1")->trigger();
        QCOMPARE(help.requests, 1);

        form.findChild<QAction*>("About1")->trigger();
        QCOMPARE(boxes.last().kind, Box::Info);
        const QStringList lines = boxes.last().text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral("ＱＸパズル"));
        QCOMPARE(lines[1], QStringLiteral("Version 2.3"));
        QCOMPARE(lines[2], QString());
        QVERIFY(!lines[3].isEmpty());

        boxes.answers = {true};
        form.findChild<QAction*>("Exit1")->trigger();
        QCOMPARE(boxes.last().text, QStringLiteral("終ってもいいですか？"));
        QCOMPARE(quit.count, 1);

        // The close box ends the program without a question.
        const int asked = boxes.boxes.size();
        form.show();
        form.close();
        QCOMPARE(quit.count, 2);
        QCOMPARE(boxes.boxes.size(), asked);
    }

    void openGameModally_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("QXパズルⅠ") << 1;
        QTest::newRow("QXパズルⅡ") << 2;
    }
    void openGameModally()
    {
        QFETCH(int, button);
        TForm1 menu;
        menu.show();
        ProbeWindow puzzle1, puzzle2;
        menu.SetGameWindows(&puzzle1, &puzzle2);
        ProbeWindow& game = button == 1 ? puzzle1 : puzzle2;

        GameState.ActiveSize = 3;
        GameState.ActiveCondition = 4;
        int seenGame = 0, seenSize = 0, seenCondition = 0;
        bool modal = false;
        game.onShow = [&] {
            seenGame = GameState.ActiveGame;
            seenSize = GameState.ActiveSize;
            seenCondition = GameState.ActiveCondition;
            // The player changes size and condition, then goes back ("戻る").
            QTimer::singleShot(0, &game, [&] {
                modal = game.isVisible() && game.windowModality() == Qt::ApplicationModal;
                GameState.ActiveSize = 2;
                GameState.ActiveCondition = 5;
                game.close();
            });
        };
        QTest::mouseClick(button == 1 ? menu.Puzzle1Button() : menu.Puzzle2Button(), Qt::LeftButton);

        QCOMPARE(game.calls, QStringList{QStringLiteral("OnShowModal")});
        QVERIFY(modal);
        QVERIFY(!game.isVisible());  // closing only hides a game window
        QCOMPARE(seenGame, button);
        QCOMPARE(seenSize, 1);
        QCOMPARE(seenCondition, 1);
        QCOMPARE(GameState.ActiveSize, 1);
        QCOMPARE(GameState.ActiveCondition, 1);
        QVERIFY(menu.isVisible());
    }

    void missingGameWindowDoesNothing()
    {
        TForm1 menu;
        GameState.ActiveGame = 2;
        menu.OpenPuzzle1();
        QCOMPARE(GameState.ActiveGame, 2);
    }

    void confirmationBox()
    {
        auto box = MakeConfirmationBox(QStringLiteral("始めてもいいですか？"));
        QCOMPARE(box->windowTitle(), QStringLiteral("確認"));
        QCOMPARE(box->icon(), QMessageBox::Question);
        QCOMPARE(box->text(), QStringLiteral("始めてもいいですか？"));
        QStringList texts;
        for (QAbstractButton* b : box->buttons()) texts << b->text();
        texts.sort();
        QCOMPARE(texts, (QStringList{QStringLiteral("OK"), QStringLiteral("キャンセル")}));
        QCOMPARE(box->defaultButton()->text(), QStringLiteral("OK"));
        QCOMPARE(box->escapeButton()->text(), QStringLiteral("キャンセル"));
    }

    void otherBoxes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::newRow("plain") << 0 << "ＱＸパズル" << int(QMessageBox::NoIcon);
        QTest::newRow("information") << 1 << "情報" << int(QMessageBox::Information);
        QTest::newRow("error") << 2 << "ＱＸパズル" << int(QMessageBox::Critical);
    }
    void otherBoxes()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(int, icon);
        const QString text = QStringLiteral("完成しました！\r\n次へ");
        auto box = kind == 0 ? MakePlainBox(text) : kind == 1 ? MakeInformationBox(text) : MakeErrorBox(text);
        QCOMPARE(box->windowTitle(), title);
        QCOMPARE(int(box->icon()), icon);
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->buttons().first()->text(), QStringLiteral("OK"));
        QVERIFY(box->text().startsWith(QStringLiteral("完成しました！")));
    }

    // The real confirmation answered from the keyboard and by its close box, at a given position.
    void confirmAnswers_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("answer");
        QTest::newRow("Enter") << 0 << true;
        QTest::newRow("Esc") << 1 << false;
        QTest::newRow("close box") << 2 << false;
    }
    void confirmAnswers()
    {
        QFETCH(int, action);
        QFETCH(bool, answer);
        ProbeWindow opener;
        opener.show();
        QVERIFY(QTest::qWaitForWindowExposed(&opener));
        QPoint seenAt;
        bool aboveOpener = false;
        QTimer::singleShot(50, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            seenAt = box->pos();
            // The box stays above the window it was opened from, and offers no maximize.
            aboveOpener = box->parentWidget() == &opener &&
                          box->windowHandle()->transientParent() == opener.windowHandle() &&
                          !(box->windowFlags() & Qt::WindowMaximizeButtonHint);
            if (action == 0) QTest::keyClick(box, Qt::Key_Return);
            if (action == 1) QTest::keyClick(box, Qt::Key_Escape);
            if (action == 2) box->close();
        });
        QtMessageBoxes boxes;
        QCOMPARE(boxes.confirm(QStringLiteral("終ってもいいですか？"), QPoint(440, 470)), answer);
        QCOMPARE(seenAt, QPoint(440, 470));
        QVERIFY(aboveOpener);
    }

    void helpWindow()
    {
        QTemporaryDir dir;
        const QString page = dir.filePath(QStringLiteral("ＱＸパズル.html"));
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray html = "<html><head><meta charset=\"utf-8\"></head><body><h1>目次</h1>";
        for (int i = 0; i < 200; ++i) html += "<p>遊び方の説明</p>";
        file.write(html + "</body></html>");
        file.close();

        QWidget owner;
        SetHelpFile(page, &owner);
        TextHelpViewer viewer;
        viewer.showContents();
        QVERIFY(viewer.Browser());
        QCOMPARE(viewer.Browser()->parentWidget(), &owner);
        QVERIFY(viewer.Browser()->toPlainText().startsWith(QStringLiteral("目次")));
        // Shown again after reading on, it opens at the contents again.
        viewer.Browser()->verticalScrollBar()->setValue(viewer.Browser()->verticalScrollBar()->maximum());
        viewer.showContents();
        QCOMPARE(viewer.Browser()->verticalScrollBar()->value(), 0);

        SetHelpFile(dir.filePath(QStringLiteral("無い.html")), &owner);
        viewer.showContents();
        QVERIFY(viewer.Browser()->isVisible());
        QVERIFY(viewer.Browser()->toPlainText().contains(QStringLiteral("無い.html")));

        // Left open while a game window opens modally over the menu, it can still be scrolled.
        owner.show();
        BlockWatch watch;
        viewer.Browser()->installEventFilter(&watch);
        ProbeWindow game;
        bool blockedUnderGame = true;
        game.onShow = [&] {
            QTimer::singleShot(50, &game, [&] {
                blockedUnderGame = watch.blocked;
                game.close();
            });
        };
        game.ShowModal();
        QVERIFY(!blockedUnderGame);
        SetHelpFile(QString(), nullptr);
    }

    void escapingErrorIsShownAndEventsGoOn()
    {
        FakeMessages boxes;
        Failing target;
        QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        QCoreApplication::processEvents();
        QCOMPARE(target.handled, 2);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.last().kind, Box::Error);
        QCOMPARE(boxes.last().text, QStringLiteral("ディスクがいっぱいです"));
    }
};

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TestShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_shell.moc"
