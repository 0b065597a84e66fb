#include "shell/MessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

namespace qx {

namespace {

const QString ProgramTitle = QStringLiteral("ＱＸパズル");

// The frame that the window manager puts round our windows, read from one it has already framed;
// none (no window manager, or nothing shown yet) gives empty margins.
QMargins WindowFrame(const QWidget* except)
{
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (w == except || !w->isVisible() || !w->windowHandle()) continue;
        const QMargins frame = w->windowHandle()->frameMargins();
        if (!frame.isNull()) return frame;
    }
    return {};
}

// A box that was not moved to a position of its own is centred on its screen, frame included.
// The dialog's own centring does not do: it adds a guessed frame, which leaves the box 30-40 px
// above the centre. The frame is taken from a window the window manager has framed already; if
// there is none, the box is centred again once its own frame is known.
class CentredBox : public QMessageBox {
protected:
    void showEvent(QShowEvent* e) override
    {
        QMessageBox::showEvent(e);  // sizes the box
        centred_ = !testAttribute(Qt::WA_Moved) && PlatformPlacesWindows();
        if (!centred_) return;
        Centre(WindowFrame(this));
        if (QWindow* window = windowHandle()) window->installEventFilter(this);
    }

    // A window manager frames the box before it is exposed, so its real frame is known then.
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (centred_ && e->type() == QEvent::Expose && watched == windowHandle() &&
            windowHandle()->frameMargins() != frame_)
            Centre(windowHandle()->frameMargins());
        return QMessageBox::eventFilter(watched, e);
    }

private:
    void Centre(QMargins frame)
    {
        frame_ = frame;
        const QSize outer = size().grownBy(frame);
        const QRect area = screen()->geometry();
        // The box is placed without its frame: move() would place the frame only once the toolkit
        // knows it, and before that the box itself.
        const QPoint inner(area.x() + (area.width() - outer.width()) / 2 + frame.left(),
                           area.y() + (area.height() - outer.height()) / 2 + frame.top());
        setGeometry(QRect(inner, size()));
    }

    bool centred_ = false;
    QMargins frame_;
};

std::unique_ptr<QMessageBox> MakeBox(QMessageBox::Icon icon, const QString& title, const QString& text)
{
    auto box = std::make_unique<CentredBox>();
    box->setIcon(icon);
    box->setWindowTitle(title);
    // Line breaks arrive as "\r\n"; a lone "\r" would show as a box in the label.
    box->setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

std::unique_ptr<QMessageBox> MakeOkBox(QMessageBox::Icon icon, const QString& title, const QString& text)
{
    auto box = MakeBox(icon, title, text);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    return box;
}

// Opens the box over the window that opened it, its top left corner at `pos`, or centred on the
// screen without one. Being that window's child keeps the box above it (transient for it) on
// every platform; where the platform does not place windows the compositor centres it there.
// Gives the box back once it is closed, or null when it went with its window while open.
std::unique_ptr<QMessageBox> Open(std::unique_ptr<QMessageBox> box, BoxPosition pos)
{
    const FocusReturn focusBack;
    if (QWidget* opener = OpeningWindow(box.get())) box->setParent(opener, box->windowFlags());
    if (pos && PlatformPlacesWindows()) box->move(*pos);
    const QPointer<QMessageBox> alive(box.get());
    box->exec();
    if (!alive) (void)box.release();
    return box;
}

}  // namespace

QWidget* OpeningWindow(const QWidget* except)
{
    const auto usable = [except](QWidget* w) { return w && w != except && w->isVisible(); };
    if (QWidget* modal = QApplication::activeModalWidget(); usable(modal)) return modal;
    if (QWidget* active = QApplication::activeWindow(); usable(active)) return active;
    // Without activation (offscreen, or before the window manager answered) any shown window will do.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (usable(w) && w->windowType() == Qt::Window) return w;
    return nullptr;
}

FocusReturn::FocusReturn() : control_(QApplication::focusWidget())
{
    window_ = control_ ? control_->window() : OpeningWindow();
}

FocusReturn::~FocusReturn()
{
    if (!window_ || !window_->isVisible()) return;
    // Without a window manager this sets the X input focus itself.
    window_->activateWindow();
    if (control_ && control_->isVisible()) control_->setFocus(Qt::ActiveWindowFocusReason);
}

bool PlatformPlacesWindows() { return QGuiApplication::platformName() != QLatin1String("wayland"); }

std::unique_ptr<QMessageBox> MakeConfirmationBox(const QString& text)
{
    auto box = MakeBox(QMessageBox::Question, QStringLiteral("確認"), text);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = box->addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(cancel);
    return box;
}

std::unique_ptr<QMessageBox> MakePlainBox(const QString& text)
{
    return MakeOkBox(QMessageBox::NoIcon, ProgramTitle, text);
}

std::unique_ptr<QMessageBox> MakeInformationBox(const QString& text)
{
    return MakeOkBox(QMessageBox::Information, QStringLiteral("情報"), text);
}

std::unique_ptr<QMessageBox> MakeErrorBox(const QString& text)
{
    return MakeOkBox(QMessageBox::Critical, ProgramTitle, text);
}

bool QtMessageBoxes::confirm(const QString& text, BoxPosition pos)
{
    const auto box = Open(MakeConfirmationBox(text), pos);
    // Esc and the close box leave clickedButton() at the escape button, so only OK says yes.
    const QAbstractButton* clicked = box ? box->clickedButton() : nullptr;
    return clicked && clicked == box->defaultButton();
}

void QtMessageBoxes::plain(const QString& text, BoxPosition pos) { Open(MakePlainBox(text), pos); }

void QtMessageBoxes::info(const QString& text) { Open(MakeInformationBox(text), std::nullopt); }

void QtMessageBoxes::error(const QString& text) { Open(MakeErrorBox(text), std::nullopt); }

}  // namespace qx
