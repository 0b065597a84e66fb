#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <stdexcept>

#include "shell/ColoredButton.h"

using Bevel = TCuteButton::TBevel;

class TestCuteButton : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void transitions_data();
    void transitions();
    void enterAndLeaveEvents();
    void marginsBelowNoneStoreNone_data();
    void marginsBelowNoneStoreNone();
    void clicksWhileHandlerRuns_data();
    void clicksWhileHandlerRuns();
    void clickAfterHandlerThrew();
    void delayedDropDown_data();
    void delayedDropDown();
    void looks_data();
    void looks();
    void pressedCaptionShiftsTwoPixels();
    void pressedWhileHandlerShowsModalBox_data();
    void pressedWhileHandlerShowsModalBox();
    void framesCrispAtDoubleDensity();
    void accessibleName_data();
    void accessibleName();
    void accessibleStateAndPress();

private:
    void Run(const QString& step);
    QImage Render(qreal dpr = 1.0) const;

    QWidget* window = nullptr;
    TCuteButton* button = nullptr;
    int clicks = 0;
};

void TestCuteButton::init()
{
    window = new QWidget;
    window->resize(200, 100);
    // Somewhere else for the focus to go; it takes the focus when the window opens.
    (new QWidget(window))->setFocusPolicy(Qt::StrongFocus);
    button = new TCuteButton(window);
    button->setObjectName("CuteButton1");
    button->move(10, 10);
    button->setCaption("&Go");
    clicks = 0;
    connect(button, &TCuteButton::clicked, this, [this] { ++clicks; });
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void TestCuteButton::cleanup()
{
    // The test's mouse state is global: let go of a button a case left held.
    if (QGuiApplication::mouseButtons() & Qt::LeftButton) QTest::mouseRelease(window, Qt::LeftButton);
    delete window;
    window = nullptr;
    button = nullptr;
}

static void SendKey(QWidget* w, QEvent::Type type, int key, bool autoRepeat,
                    Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent ev(type, key, mods, QString(), autoRepeat);
    QApplication::sendEvent(w, &ev);
}

// One step of an event script, as the player would cause it.
void TestCuteButton::Run(const QString& step)
{
    const QPoint inside(20, 12), outside(120, 60);
    if (step == "click")
        QTest::mouseClick(button, Qt::LeftButton, {}, inside);
    else if (step == "dclick") {  // the platform's double click: press, release, double-click, release
        QTest::mouseClick(button, Qt::LeftButton, {}, inside);
        QTest::mouseDClick(button, Qt::LeftButton, {}, inside);
        QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    } else if (step == "rclick")
        QTest::mouseClick(button, Qt::RightButton, {}, inside);
    else if (step == "press")
        QTest::mousePress(button, Qt::LeftButton, {}, inside);
    else if (step == "release")
        QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    else if (step == "releaseOut")
        QTest::mouseRelease(button, Qt::LeftButton, {}, outside);
    else if (step == "dragOut")
        QTest::mouseMove(button, outside);
    else if (step == "dragIn")
        QTest::mouseMove(button, inside);
    else if (step == "in") {
        QEnterEvent ev(inside, inside, button->mapToGlobal(inside));
        QApplication::sendEvent(button, &ev);
    } else if (step == "out") {
        QEvent ev(QEvent::Leave);
        QApplication::sendEvent(button, &ev);
    } else if (step == "focus")
        button->setFocus(Qt::TabFocusReason);
    else if (step == "blur")
        window->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly)->setFocus(Qt::TabFocusReason);
    else if (step == "lateFocus") {  // the focus of a window activated by the press comes after it
        QFocusEvent ev(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(button, &ev);
    } else if (step == "noFocusUp")
        button->setTabFocusUp(false);
    else if (step == "disable")
        button->setEnabled(false);
    else if (step == "enable")
        button->setEnabled(true);
    else if (step == "spaceDown")
        SendKey(button, QEvent::KeyPress, Qt::Key_Space, false);
    else if (step == "spaceRepeat") {
        SendKey(button, QEvent::KeyRelease, Qt::Key_Space, true);
        SendKey(button, QEvent::KeyPress, Qt::Key_Space, true);
    } else if (step == "spaceUp")
        SendKey(button, QEvent::KeyRelease, Qt::Key_Space, false);
    else if (step == "keyA") {
        SendKey(button, QEvent::KeyPress, Qt::Key_A, false);
        SendKey(button, QEvent::KeyRelease, Qt::Key_A, false);
    } else if (step == "enterDown")
        SendKey(button, QEvent::KeyPress, Qt::Key_Return, false);
    else if (step == "enterRepeat")
        SendKey(button, QEvent::KeyPress, Qt::Key_Return, true);
    else if (step == "enterUp")
        SendKey(button, QEvent::KeyRelease, Qt::Key_Return, false);
    else if (step == "right")
        QTest::keyClick(button, Qt::Key_Right);
    else if (step == "altG")
        QTest::keyClick(window, Qt::Key_G, Qt::AltModifier);
    else
        QFAIL(qPrintable("unknown step " + step));
}

void TestCuteButton::transitions_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<Bevel>("bevel");
    QTest::addColumn<int>("clickCount");

    QTest::newRow("new button") << "" << TCuteButton::bvNone << 0;
    QTest::newRow("pointer over") << "in" << TCuteButton::bvRaised << 0;
    QTest::newRow("pointer over and away") << "in out" << TCuteButton::bvNone << 0;
    QTest::newRow("focused stays up when the pointer leaves") << "focus in out" << TCuteButton::bvRaised << 0;
    QTest::newRow("focus lost") << "focus blur" << TCuteButton::bvNone << 0;
    QTest::newRow("focus without TabFocusUp") << "noFocusUp focus" << TCuteButton::bvNone << 0;
    QTest::newRow("held down") << "in press" << TCuteButton::bvLowered << 0;
    QTest::newRow("focus arriving after the press") << "in press lateFocus" << TCuteButton::bvLowered << 0;
    QTest::newRow("click") << "in click" << TCuteButton::bvRaised << 1;
    QTest::newRow("double click gives two clicks") << "in dclick" << TCuteButton::bvRaised << 2;
    QTest::newRow("press, off, release: raised by the focus")
        << "in press out releaseOut" << TCuteButton::bvRaised << 0;
    QTest::newRow("press, off, release without TabFocusUp")
        << "noFocusUp in press out releaseOut" << TCuteButton::bvNone << 0;
    QTest::newRow("dragged off while held: focused, so unchanged") << "in press dragOut" << TCuteButton::bvLowered << 0;
    QTest::newRow("dragged off while held without TabFocusUp")
        << "noFocusUp in press dragOut" << TCuteButton::bvNone << 0;
    QTest::newRow("dragged off and back without TabFocusUp")
        << "noFocusUp in press dragOut dragIn" << TCuteButton::bvLowered << 0;
    QTest::newRow("dragged off and back, released")
        << "noFocusUp in press dragOut dragIn release" << TCuteButton::bvRaised << 1;
    QTest::newRow("right click") << "in rclick" << TCuteButton::bvRaised << 0;
    QTest::newRow("space held") << "focus spaceDown" << TCuteButton::bvLowered << 0;
    QTest::newRow("space") << "focus spaceDown spaceUp" << TCuteButton::bvRaised << 1;
    QTest::newRow("space auto-repeat clicks once")
        << "focus spaceDown spaceRepeat spaceRepeat spaceUp" << TCuteButton::bvRaised << 1;
    QTest::newRow("space then another key") << "focus spaceDown keyA spaceUp" << TCuteButton::bvRaised << 0;
    QTest::newRow("enter") << "focus enterDown enterUp" << TCuteButton::bvRaised << 1;
    QTest::newRow("enter held clicks on every repeat")
        << "focus enterDown enterRepeat enterRepeat enterUp" << TCuteButton::bvRaised << 3;
    QTest::newRow("enter without TabFocusUp") << "noFocusUp focus enterDown" << TCuteButton::bvNone << 1;
    QTest::newRow("arrow key moves the focus on") << "focus right" << TCuteButton::bvNone << 0;
    QTest::newRow("accelerator") << "altG" << TCuteButton::bvRaised << 1;
    QTest::newRow("disabled ignores mouse") << "disable click dclick" << TCuteButton::bvNone << 0;
    QTest::newRow("disabled ignores the pointer") << "disable in" << TCuteButton::bvNone << 0;
    QTest::newRow("disabled ignores keys")
        << "focus disable spaceDown spaceUp enterDown altG" << TCuteButton::bvNone << 0;
    QTest::newRow("space pressed before disabling never clicks")
        << "focus spaceDown disable enable focus spaceUp" << TCuteButton::bvRaised << 0;
}

void TestCuteButton::transitions()
{
    QFETCH(QString, script);
    QFETCH(Bevel, bevel);
    QFETCH(int, clickCount);

    for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
        Run(step);
        if (QTest::currentTestFailed()) return;
    }
    QCOMPARE(button->BevelOuter(), bevel);
    QCOMPARE(clicks, clickCount);
}

void TestCuteButton::enterAndLeaveEvents()
{
    QSignalSpy entered(button, &TCuteButton::OnMouseEnter);
    QSignalSpy left(button, &TCuteButton::OnMouseLeave);
    Run("in");
    Run("press");
    Run("dragOut");
    Run("dragOut");  // no second leave while still outside
    QCOMPARE(entered.count(), 1);
    QCOMPARE(entered[0][2].toPoint(), QPoint(20, 12));
    QCOMPARE(left.count(), 1);
    QCOMPARE(left[0][1].value<Qt::MouseButtons>(), Qt::MouseButtons(Qt::LeftButton));
    QCOMPARE(left[0][2].toPoint(), QPoint(120, 60));
}

void TestCuteButton::marginsBelowNoneStoreNone_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    QTest::newRow("-5") << -5 << -1;
    QTest::newRow("-1") << -1 << -1;
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("7") << 7 << 7;
}

void TestCuteButton::marginsBelowNoneStoreNone()
{
    QFETCH(int, value);
    QFETCH(int, stored);
    button->setMarginX(value);
    button->setMarginY(value);
    QCOMPARE(button->MarginX(), stored);
    QCOMPARE(button->MarginY(), stored);
}

void TestCuteButton::clicksWhileHandlerRuns_data()
{
    QTest::addColumn<bool>("ignore");
    QTest::addColumn<bool>("spin");
    QTest::addColumn<int>("runs");

    // Three more clicks are posted by the player while the first one is handled.
    QTest::newRow("kept, busy handler") << false << false << 4;
    QTest::newRow("kept, handler spins the loop") << false << true << 4;
    QTest::newRow("ignored, busy handler") << true << false << 1;
    QTest::newRow("ignored, handler spins the loop") << true << true << 1;
}

// A handler that throws must not leave the button believing it is still running.
void TestCuteButton::clickAfterHandlerThrew()
{
    connect(button, &TCuteButton::clicked, this, [this] {
        if (clicks == 1) throw std::runtime_error("handler failed");
    });
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, button->Click());
    button->Click();
    QCOMPARE(clicks, 2);
}

void TestCuteButton::clicksWhileHandlerRuns()
{
    QFETCH(bool, ignore);
    QFETCH(bool, spin);
    QFETCH(int, runs);

    button->setEgnoreContClick(ignore);
    int depth = 0, maxDepth = 0, handled = 0;
    const QPoint inside(20, 12);
    connect(button, &TCuteButton::clicked, this, [&] {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        ++handled;
        if (handled == 1) {
            QCOMPARE(button->BevelOuter(), TCuteButton::bvLowered);  // drawn pressed while it runs
            for (int i = 0; i < 3; ++i) {
                for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                    auto* ev = new QMouseEvent(
                        type, QPointF(inside), button->mapToGlobal(QPointF(inside)), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
                    QCoreApplication::postEvent(button, ev);
                }
            }
            if (spin) QCoreApplication::processEvents();
        }
        --depth;
    });
    QTest::mouseClick(button, Qt::LeftButton, {}, inside);
    QCoreApplication::processEvents();
    QCOMPARE(handled, runs);
    QCOMPARE(maxDepth, 1);
    QCOMPARE(button->BevelOuter(), TCuteButton::bvRaised);

    // Afterwards the button clicks again as usual.
    QTest::mouseClick(button, Qt::LeftButton, {}, inside);
    QCOMPARE(handled, runs + 1);
}

void TestCuteButton::delayedDropDown_data()
{
    QTest::addColumn<int>("delay");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<int>("holdMs");
    QTest::addColumn<int>("clickCount");
    QTest::addColumn<bool>("dropped");

    QTest::newRow("mouse, short click") << 150 << false << 10 << 1 << false;
    QTest::newRow("mouse, held past the delay") << 150 << false << 400 << 0 << true;
    QTest::newRow("mouse, no delay") << 0 << false << 10 << 0 << true;
    QTest::newRow("space, short") << 150 << true << 10 << 1 << false;
    QTest::newRow("space, held past the delay") << 150 << true << 400 << 0 << true;
}

void TestCuteButton::delayedDropDown()
{
    QFETCH(int, delay);
    QFETCH(bool, byKey);
    QFETCH(int, holdMs);
    QFETCH(int, clickCount);
    QFETCH(bool, dropped);

    QMenu menu;
    menu.addAction("one");
    int shown = 0;
    QPoint shownAt;
    connect(&menu, &QMenu::aboutToShow, this, [&] {
        ++shown;
        QTimer::singleShot(30, &menu, [&] {
            shownAt = menu.pos();
            menu.close();
        });
    });
    button->setDropDownMenu(&menu);
    button->setDropDownDelay(delay);

    const QPoint inside(20, 12);
    if (byKey) {
        Run("focus");
        Run("spaceDown");
        QTest::qWait(holdMs);
        Run("spaceUp");
    } else {
        QTest::mousePress(button, Qt::LeftButton, {}, inside);
        QTest::qWait(holdMs);
        QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    }
    QCOMPARE(clicks, clickCount);
    QCOMPARE(shown, dropped ? 1 : 0);
    if (dropped) QCOMPARE(shownAt, button->mapToGlobal(QPoint(0, button->height())));
    QCOMPARE(button->BevelOuter(), TCuteButton::bvRaised);
    QVERIFY(!button->findChild<TCuteButtonTimer*>() ||
            QTest::qWaitFor([&] { return !button->findChild<TCuteButtonTimer*>(); }));
}

// A button whose colours are easy to tell apart.
static const QColor face(0xA6, 0xF7, 0xB0), light(255, 255, 255), dark(64, 64, 64), grey(128, 128, 128);

QImage TestCuteButton::Render(qreal dpr) const
{
    QImage image(button->size() * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::magenta);
    button->render(&image);
    return image;
}

void TestCuteButton::looks_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("useDisabledColor");
    QTest::addColumn<QColor>("topLeft");       // (0, 0)
    QTest::addColumn<QColor>("innerTopLeft");  // (1, 1)
    QTest::addColumn<QColor>("innerBottom");   // (73, 23)
    QTest::addColumn<QColor>("bottomRight");   // (74, 24)
    QTest::addColumn<QColor>("background");    // (3, 3)

    QTest::newRow("idle: one raised ring") << "" << false << light << face << face << dark << face;
    QTest::newRow("hot: two raised rings") << "in" << false << light << light << dark << dark << face;
    QTest::newRow("pressed: sunken around raised") << "in press" << false << dark << light << dark << light << face;
    QTest::newRow("disabled keeps its face") << "disable" << false << light << face << face << dark << face;
    QTest::newRow("disabled in its own colour") << "disable" << true << light << grey << grey << dark << grey;
    QTest::newRow("disabled, pointer over: no hot edge")
        << "disable in" << false << light << face << face << dark << face;
}

void TestCuteButton::looks()
{
    QFETCH(QString, script);
    QFETCH(bool, useDisabledColor);
    button->setColor(face);
    button->setBevelHighlightColor(light);
    button->setBevelShadowColor(dark);
    button->setUseDisabledColor(useDisabledColor);
    for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) Run(step);

    const QImage image = Render();
    QTEST(QColor(image.pixel(0, 0)), "topLeft");
    QTEST(QColor(image.pixel(1, 1)), "innerTopLeft");
    QTEST(QColor(image.pixel(73, 23)), "innerBottom");
    QTEST(QColor(image.pixel(74, 24)), "bottomRight");
    QTEST(QColor(image.pixel(3, 3)), "background");
    // The frame's odd corners: top right and bottom left belong to the dark edges of a raised ring.
    if (script.isEmpty()) {
        QCOMPARE(QColor(image.pixel(74, 0)), dark);
        QCOMPARE(QColor(image.pixel(0, 24)), dark);
    }

    // The caption is black when enabled, embossed in the platform's 3-D colours when disabled.
    QSet<QRgb> inks;
    for (int y = 3; y < 22; ++y)
        for (int x = 3; x < 72; ++x) inks.insert(image.pixel(x, y));
    const QPalette pal = QGuiApplication::palette();
    const bool disabled = script.startsWith("disable");
    QCOMPARE(inks.contains(qRgb(0, 0, 0)), !disabled);
    QCOMPARE(inks.contains(pal.color(QPalette::Active, QPalette::Dark).rgb()), disabled);
    QCOMPARE(inks.contains(pal.color(QPalette::Active, QPalette::Light).rgb()), disabled);
}

// Bounding box of the caption's ink inside the frames.
static QRect InkBox(const QImage& image, const QColor& background)
{
    QRect box;
    for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 3; x < image.width() - 3; ++x)
            if (QColor(image.pixel(x, y)) != background) box |= QRect(x, y, 1, 1);
    return box;
}

void TestCuteButton::pressedCaptionShiftsTwoPixels()
{
    button->setColor(face);
    button->setCaption("HH");
    button->setAlignment(Qt::AlignLeft);
    button->setLayout(TCuteButton::blTop);
    button->setMarginX(5);
    const QRect idle = InkBox(Render(), face);
    QVERIFY(!idle.isEmpty());
    QVERIFY(idle.left() >= 2 * button->BevelWidth() + 5);  // the margin pushed it right
    Run("press");
    const QRect pressed = InkBox(Render(), face);
    QCOMPARE(pressed, idle.translated(2, 2));
}

void TestCuteButton::pressedWhileHandlerShowsModalBox_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("mouse") << "in click";
    QTest::newRow("enter") << "focus enterDown enterUp";
    QTest::newRow("space") << "focus spaceDown spaceUp";
}

// A handler that asks a question in a modal box: the box takes the focus and the pointer away,
// and still the button is drawn pressed until the handler returns.
void TestCuteButton::pressedWhileHandlerShowsModalBox()
{
    QFETCH(QString, script);
    button->setColor(face);
    button->setBevelHighlightColor(light);
    button->setBevelShadowColor(dark);
    QImage during;
    connect(button, &TCuteButton::clicked, this, [&] {
        QDialog box(window);
        QTimer::singleShot(0, &box, [&] {
            box.activateWindow();
            QVERIFY(QTest::qWaitFor([&] { return QApplication::activeWindow() == &box; }));
            QEvent leave(QEvent::Leave);  // the box opened under the pointer
            QApplication::sendEvent(button, &leave);
            during = button->grab().toImage();
            box.accept();
        });
        box.exec();
    });
    for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) Run(step);
    QCOMPARE(clicks, 1);
    QVERIFY(!during.isNull());
    QCOMPARE(QColor(during.pixel(0, 0)), dark);  // sunken outer edge
    QCOMPARE(QColor(during.pixel(1, 1)), light);
    QCOMPARE(QColor(during.pixel(74, 24)), light);
    QCOMPARE(button->BevelOuter(), TCuteButton::bvRaised);
}

void TestCuteButton::framesCrispAtDoubleDensity()
{
    button->setColor(face);
    button->setBevelHighlightColor(light);
    button->setBevelShadowColor(dark);
    Run("in");
    const QImage image = Render(2.0);
    // Each logical pixel of the two raised rings is two device pixels of one pure colour.
    for (int y = 0; y < 4; ++y)
        for (int x = y < 2 ? 0 : 2; x < image.width() - (y < 2 ? 2 : 4); ++x)
            QCOMPARE(QColor(image.pixel(x, y)), light);
    for (int x = 4; x < image.width() - 4; ++x) {
        QCOMPARE(QColor(image.pixel(x, image.height() - 1)), dark);
        QCOMPARE(QColor(image.pixel(x, image.height() - 4)), dark);
        QCOMPARE(QColor(image.pixel(x, 4)), face);
    }
}

void TestCuteButton::accessibleName_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::newRow("accelerator") << "&Go"
                                 << "Go";
    QTest::newRow("doubled ampersand") << "A&&B"
                                       << "A&B";
    QTest::newRow("Japanese with accelerator") << "取&止め"
                                               << "取止め";
    QTest::newRow("plain") << "新しい問題"
                           << "新しい問題";
}

void TestCuteButton::accessibleName()
{
    QFETCH(QString, caption);
    button->setCaption(caption);
    QAccessibleInterface* acc = QAccessible::queryAccessibleInterface(button);
    QVERIFY(acc);
    QCOMPARE(acc->role(), QAccessible::Button);
    QTEST(acc->text(QAccessible::Name), "name");
}

void TestCuteButton::accessibleStateAndPress()
{
    QAccessibleInterface* acc = QAccessible::queryAccessibleInterface(button);
    QVERIFY(acc && acc->actionInterface());
    QVERIFY(acc->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));

    Run("focus");
    QVERIFY(acc->state().focused);
    QVERIFY(!acc->state().pressed);
    Run("press");
    QVERIFY(acc->state().pressed);
    Run("release");
    QCOMPARE(clicks, 1);

    acc->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks, 2);

    Run("disable");
    QVERIFY(acc->state().disabled);
    acc->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks, 2);
}

QTEST_MAIN(TestCuteButton)
#include "test_cutebutton.moc"
