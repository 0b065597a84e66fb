#pragma once
// What every window of the game shares: a fixed client area below the menu bar, the two-panel
// status bar with the clock, the menu helpers, quit with its question, help, and modal showing.

#include "shell/AccessibleParts.h"

#include <QMainWindow>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>

class QAction;
class QEventLoop;
class QMenu;
class QTimer;

// A text of the core (UTF-8) as the windows show it.
inline QString Q(const std::string& s) { return QString::fromStdString(s); }

// Two-panel status bar: panel 0 (messages) of a given width, panel 1 (the clock) centred in the
// rest; a screen reader reads each panel as a text.
class TStatusBar : public QWidget, public qx::AccessiblePartsSource {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    int AccessiblePartCount() const override { return 2; }
    qx::AccessiblePart AccessiblePartAt(int index) const override;
    QAccessible::Role AccessiblePartRole() const override { return QAccessible::StaticText; }

    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;
    void SetPanelWidth(int width);
    int PanelWidth() const { return panelWidth_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QRect PanelRect(int panel) const;

    QString texts_[2];
    int panelWidth_ = 500;
};

class TFormBase : public QMainWindow {
    Q_OBJECT
public:
    // `outerWidth` × `outerHeight` is the window's outer size; the client area is 8 × 54 smaller.
    TFormBase(const QString& caption, int outerWidth, int outerHeight, QWidget* parent = nullptr);
    ~TFormBase() override;

    // The area below the menu bar on which controls are placed by absolute position.
    QWidget* Client() const { return client_; }

    // The status bar (objectName StatusBar1) and the timer of its clock (Timer1).
    TStatusBar* StatusPanels() const { return statusBar_; }
    QTimer* ClockTimer() const { return clockTimer_; }

    void SetStatusText(const QString& text);
    QString StatusText() const;
    QString ClockText() const;
    void SetStatusPanelWidth(int width);

    // Puts the current time into the clock panel; the clock timer calls it every second.
    void ShowTime();

    // A menu-bar entry with sub-entries.
    QMenu* AddMenu(const char* objectName, const QString& text);
    // `handler` wrapped so that an error escaping it is shown in the error box and goes no further:
    // every handler the window base connects runs inside it.
    static std::function<void()> Guarded(std::function<void()> handler);
    // A command in `menu`, or directly on the menu bar when `menu` is null.
    QAction* AddCommand(QMenu* menu, const char* objectName, const QString& text, std::function<void()> handler);

    // "終了": asks, then lets the window tidy up and ends the program.
    void AskQuit();
    // "遊び方".
    void ShowHelpContents();

    // Shows the window application-modal, centred, and returns when it has been hidden or closed.
    void ShowModal();
    bool IsShownModal() const { return modalLoop_ != nullptr; }

    // Ends every modal loop and the program. Tests replace the action through QuitHook().
    static void QuitProgram();
    static std::function<void()>& QuitHook();

protected:
    // Runs after "終了" was answered OK, before the program ends.
    virtual void BeforeQuit() {}
    // Runs just before a modal showing.
    virtual void OnShowModal() {}

    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    // A window that opens tells screen readers which control has the focus.
    void showEvent(QShowEvent* event) override;

private:
    // Makes the window transient for the one it is opened from.
    void KeepAboveOpener();
    // Lets the window follow a maximize it cannot refuse in time (Wayland), until it is undone.
    void FollowForcedMaximize();

    QWidget* client_ = nullptr;
    TStatusBar* statusBar_ = nullptr;
    QTimer* clockTimer_ = nullptr;
    QEventLoop* modalLoop_ = nullptr;
};
