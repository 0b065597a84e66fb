#pragma once
// The real message boxes behind the message-box seam.

#include "shell/Seams.h"

#include <QMessageBox>
#include <QPointer>
#include <memory>

namespace qx {

// The boxes as they are shown, built but not yet opened (tests inspect them without exec()).
std::unique_ptr<QMessageBox> MakeConfirmationBox(const QString& text);
std::unique_ptr<QMessageBox> MakePlainBox(const QString& text);
std::unique_ptr<QMessageBox> MakeInformationBox(const QString& text);
std::unique_ptr<QMessageBox> MakeErrorBox(const QString& text);

// The window a box or a modal window opened now belongs to: the modal window that takes input, or
// the active window, or else any ordinary window on screen; null when none is shown. `except` is
// the window about to open.
QWidget* OpeningWindow(const QWidget* except = nullptr);

// Whether the platform puts windows where the program asks (X11 does; Wayland leaves it to the
// compositor, which places a window with a transient parent over that parent).
bool PlatformPlacesWindows();

// Hands the keyboard focus, when it goes, back to the control that had it when it came, and
// activates that control's window again. A box or modal window that closes leaves the focus
// nowhere: X11 without a window manager gives it to the root window, where no shortcut works.
class FocusReturn {
public:
    FocusReturn();
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> control_;
    QPointer<QWidget> window_;
};

class QtMessageBoxes : public MessageBoxes {
public:
    bool confirm(const QString& text, BoxPosition pos = std::nullopt) override;
    void plain(const QString& text, BoxPosition pos = std::nullopt) override;
    void info(const QString& text) override;
    void error(const QString& text) override;
};

}  // namespace qx
