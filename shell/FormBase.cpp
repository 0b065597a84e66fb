#include "shell/FormBase.h"

#include "shell/AccessibleParts.h"
#include "shell/Application.h"
#include "shell/Clock.h"
#include "shell/Look.h"
#include "shell/MessageBoxes.h"
#include "shell/Seams.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QHideEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>

using namespace qx;

namespace {
constexpr int StatusBarHeight = 22;
constexpr int FrameWidth = 8;
constexpr int FrameHeight = 54;  // title bar, borders and menu bar of the outer size
}  // namespace

// ---------------------------------------------------------------------------------------------

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent)
{
    InstallAccessibleParts();
    setObjectName(QStringLiteral("StatusBar1"));
    setFont(UiFont(UiGothic, 13, true));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TStatusBar::SetPanelText(int panel, const QString& text)
{
    if (panel < 0 || panel > 1 || texts_[panel] == text) return;
    texts_[panel] = text;
    update();
    // The message panel tells the player what to do next: a screen reader says it anew.
    if (panel == 0) NotifyAccessiblePart(this, 0, QAccessible::NameChanged);
}

QRect TStatusBar::PanelRect(int panel) const
{
    return panel == 0 ? QRect(0, 0, panelWidth_, height()) : QRect(panelWidth_, 0, width() - panelWidth_, height());
}

AccessiblePart TStatusBar::AccessiblePartAt(int index) const { return {PanelText(index), {}, PanelRect(index)}; }

QString TStatusBar::PanelText(int panel) const { return panel == 0 || panel == 1 ? texts_[panel] : QString(); }

void TStatusBar::SetPanelWidth(int width)
{
    panelWidth_ = width;
    update();
}

void TStatusBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), TColor(colors::StatusBarColor));
    const QRect panels[2] = {QRect(0, 2, panelWidth_ - 2, height() - 2),
                             QRect(panelWidth_, 2, width() - panelWidth_, height() - 2)};
    const QColor shadow = TColor(colors::StatusBarColor).darker(160);
    for (int i = 0; i < 2; ++i) {
        const QRect r = panels[i];
        if (r.width() <= 0) continue;
        // A lowered panel: dark top and left edges, light bottom and right ones.
        p.setPen(shadow);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(Qt::white);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        p.setPen(Qt::black);
        const QRect textRect = r.adjusted(3, 1, -3, -1);
        p.drawText(textRect, (i == 0 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter, texts_[i]);
    }
}

// ---------------------------------------------------------------------------------------------

TFormBase::TFormBase(const QString& caption, int outerWidth, int outerHeight, QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(caption);
    // The size is fixed, so there is no maximize or full screen to offer: a compositor that
    // maximizes a fixed-size window anyway ends a Wayland client whose surface keeps its size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(UiFont(PGothic, 12));

    setPalette(WindowPalette());
    setAutoFillBackground(true);

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Client"));
    client_->setFixedSize(outerWidth - FrameWidth, outerHeight - FrameHeight);
    client_->setAutoFillBackground(true);
    setCentralWidget(client_);
    // The window is as large as its menu bar and client area, and no larger.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    statusBar_ = new TStatusBar(client_);
    statusBar_->setGeometry(0, client_->height() - StatusBarHeight, client_->width(), StatusBarHeight);

    clockTimer_ = new QTimer(this);
    clockTimer_->setObjectName(QStringLiteral("Timer1"));
    clockTimer_->setInterval(1000);
    connect(clockTimer_, &QTimer::timeout, this, Guarded([this] { ShowTime(); }));
    clockTimer_->start();
}

TFormBase::~TFormBase()
{
    if (modalLoop_) modalLoop_->exit();
}

void TFormBase::SetStatusText(const QString& text) { statusBar_->SetPanelText(0, text); }
QString TFormBase::StatusText() const { return statusBar_->PanelText(0); }
QString TFormBase::ClockText() const { return statusBar_->PanelText(1); }
void TFormBase::SetStatusPanelWidth(int width) { statusBar_->SetPanelWidth(width); }

void TFormBase::ShowTime() { statusBar_->SetPanelText(1, qx::ClockText(QDateTime::currentDateTime())); }

QMenu* TFormBase::AddMenu(const char* objectName, const QString& text)
{
    QMenu* menu = menuBar()->addMenu(text);
    menu->setObjectName(QString::fromLatin1(objectName));
    menu->menuAction()->setObjectName(QString::fromLatin1(objectName));
    return menu;
}

std::function<void()> TFormBase::Guarded(std::function<void()> handler)
{
    return [handler = std::move(handler)] {
        RunGuarded([&] {
            if (handler) handler();
        });
    };
}

QAction* TFormBase::AddCommand(QMenu* menu, const char* objectName, const QString& text, std::function<void()> handler)
{
    QAction* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(objectName));
    connect(action, &QAction::triggered, this, Guarded(std::move(handler)));
    if (menu)
        menu->addAction(action);
    else
        menuBar()->addAction(action);
    return action;
}

void TFormBase::AskQuit()
{
    if (!Messages().confirm(QStringLiteral("終ってもいいですか？"))) return;
    BeforeQuit();
    QuitProgram();
}

void TFormBase::ShowHelpContents() { Help().showContents(); }

void TFormBase::ShowModal()
{
    if (modalLoop_ || isVisible()) return;
    const FocusReturn focusBack;
    OnShowModal();
    setWindowModality(Qt::ApplicationModal);
    KeepAboveOpener();
    ensurePolished();
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();

    QPointer<TFormBase> self(this);
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    if (self) modalLoop_ = nullptr;
}

void TFormBase::KeepAboveOpener()
{
    QWidget* opener = parentWidget() ? parentWidget()->window() : OpeningWindow(this);
    if (!opener) return;
    // X11 tells the window manager the transient parent of dialogs only; without one the toolkit
    // names its hidden group leader (X11) or nothing (Wayland). Ours stays above its opener.
    if (windowType() != Qt::Dialog) setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    winId();
    opener->winId();
    windowHandle()->setTransientParent(opener->windowHandle());
}

void TFormBase::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A window manager that maximizes or fills the screen anyway gets the window back at its size,
    // once the maximized frame is shown: a Wayland compositor takes no undo before that commit.
    if (event->type() == QEvent::WindowStateChange && (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        QTimer::singleShot(0, this,
                           [this] { setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen)); });
}

// Qt 6.4's own Wayland title bar offers maximize on every window and asks the compositor at once;
// weston then ends a client whose next frame is not the full maximized size. So the window may
// grow for that one frame until changeEvent() undoes the maximize.
void TFormBase::FollowForcedMaximize()
{
    QWindow* window = windowHandle();
    if (!window || window->property("qxFollowsMaximize").toBool()) return;
    window->setProperty("qxFollowsMaximize", true);
    connect(window, &QWindow::windowStateChanged, this, [this, window](Qt::WindowState state) {
        if (state == Qt::WindowMaximized || state == Qt::WindowFullScreen)
            window->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        else
            window->setMaximumSize(maximumSize());
    });
}

void TFormBase::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (QGuiApplication::platformName() == QLatin1String("wayland")) FollowForcedMaximize();
    // Once the window is up and its focus settled, screen readers hear where the focus is.
    QTimer::singleShot(0, this, [this] {
        if (QWidget* focused = focusWidget(); focused && isVisible()) {
            QAccessibleEvent focus(focused, QAccessible::Focus);
            Announce(focus);
        }
    });
}

void TFormBase::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    if (modalLoop_ && !event->spontaneous()) modalLoop_->exit();
}

std::function<void()>& TFormBase::QuitHook()
{
    static std::function<void()> hook;
    return hook;
}

void TFormBase::QuitProgram()
{
    if (QuitHook()) {
        QuitHook()();
        return;
    }
    // exit() leaves every running event loop of the thread, the modal ones included, and, unlike
    // quit(), cannot be refused by a window that only hides on close.
    QCoreApplication::exit(0);
}
