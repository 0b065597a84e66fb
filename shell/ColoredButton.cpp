#include "shell/ColoredButton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <utility>

namespace {

// Stores a new property value; false when it was already set, so nothing needs repainting.
template <class T>
bool Change(T& field, const T& value)
{
    if (field == value) return false;
    field = value;
    return true;
}

// The platform's 3-D colours are those of a light desktop, whatever theme the desktop has: the
// windows colour their buttons and captions for them, and a dark theme's would leave light
// captions on pastel faces and make disabled buttons look enabled.
QColor PlatformHighlight() { return Qt::white; }
QColor PlatformShadow() { return {0x9f, 0x9f, 0x9f}; }
QColor PlatformFace() { return {0xef, 0xef, 0xef}; }

// One 3-D frame per pixel of width, drawn inside r; r shrinks with each ring. Filled rectangles
// rather than lines keep the edges crisp at any device pixel ratio.
void Frame3D(QPainter& p, QRect& r, const QColor& top, const QColor& bottom, int width)
{
    for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
        p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), top);
        p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), top);
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottom);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottom);
        r.adjust(1, 1, -1, -1);
    }
}

void DrawBevel(QPainter& p, QRect& r, TCuteButton::TBevel bevel, const QColor& light, const QColor& dark, int width)
{
    if (bevel == TCuteButton::bvRaised)
        Frame3D(p, r, light, dark, width);
    else if (bevel == TCuteButton::bvLowered)
        Frame3D(p, r, dark, light, width);
}

// A dotted rectangle, every other pixel set, as the platform draws keyboard focus.
void DrawFocusRect(QPainter& p, const QRect& r, const QColor& color)
{
    if (r.width() <= 0 || r.height() <= 0) return;
    for (int x = r.left(); x <= r.right(); ++x) {
        if ((x - r.left()) % 2 == 0) {
            p.fillRect(QRect(x, r.top(), 1, 1), color);
            p.fillRect(QRect(x, r.bottom(), 1, 1), color);
        }
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        if ((y - r.top()) % 2 == 0) {
            p.fillRect(QRect(r.left(), y, 1, 1), color);
            p.fillRect(QRect(r.right(), y, 1, 1), color);
        }
    }
}

// The caption as a screen reader says it: "&" marks the accelerator and "&&" stands for "&".
QString StripAccelerator(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&') out += u'&';
            ++i;
            if (i < caption.size() && caption[i] != u'&') out += caption[i];
            continue;
        }
        out += caption[i];
    }
    return out;
}

// What assistive technology sees: a push button named by its caption whose press action clicks it.
class TCuteButtonAccessible : public QAccessibleWidget {
public:
    explicit TCuteButtonAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {}

    TCuteButton* Button() const { return static_cast<TCuteButton*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: {
            const QString own = widget()->accessibleName();
            return own.isEmpty() ? StripAccelerator(Button()->Caption()) : own;
        }
        case QAccessible::Accelerator:
            return QKeySequence::mnemonic(Button()->Caption()).toString(QKeySequence::NativeText);
        default: return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = Button()->BevelOuter() == TCuteButton::bvLowered;
        return s;
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& name) override
    {
        if (name == pressAction()) {
            if (widget()->isEnabled()) Button()->Click();
            return;
        }
        QAccessibleWidget::doAction(name);
    }

    QStringList keyBindingsForAction(const QString& name) const override
    {
        if (name == pressAction()) {
            const QKeySequence seq = QKeySequence::mnemonic(Button()->Caption());
            if (!seq.isEmpty()) return {seq.toString(QKeySequence::NativeText)};
            return {};
        }
        return QAccessibleWidget::keyBindingsForAction(name);
    }
};

QAccessibleInterface* CuteButtonAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("TCuteButton") && object && object->isWidgetType())
        return new TCuteButtonAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

void InstallAccessibleFactory()
{
    static const bool Installed = [] {
        QAccessible::installFactory(CuteButtonAccessibleFactory);
        return true;
    }();
    (void)Installed;
}

}  // namespace

TCuteButtonTimer::TCuteButtonTimer(TCuteButton* owner) : QTimer(owner), button(owner) { setSingleShot(true); }

TCuteButton::TCuteButton(QWidget* parent)
    : QWidget(parent),
      color_(PlatformFace()),
      disabledColor_(128, 128, 128),
      bevelHighlightColor_(PlatformHighlight()),
      bevelShadowColor_(PlatformShadow())
{
    InstallAccessibleFactory();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(75, 25);
}

TCuteButton::~TCuteButton() { FreeDropDownTimer(); }

// ---- properties -------------------------------------------------------------------------------

void TCuteButton::setCaption(const QString& caption)
{
    if (caption == caption_) return;
    caption_ = caption;
    UpdateShortcut();
    update();
    QAccessibleEvent ev(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&ev);
}

void TCuteButton::setColor(const QColor& color)
{
    if (Change(color_, color)) update();
}

void TCuteButton::setDisabledColor(const QColor& color)
{
    if (Change(disabledColor_, color)) RepaintIfDisabled();
}

void TCuteButton::setUseDisabledColor(bool use)
{
    if (Change(useDisabledColor_, use)) RepaintIfDisabled();
}

void TCuteButton::setBevelHighlightColor(const QColor& color)
{
    if (Change(bevelHighlightColor_, color)) update();
}

void TCuteButton::setBevelShadowColor(const QColor& color)
{
    if (Change(bevelShadowColor_, color)) update();
}

void TCuteButton::setBevelWidth(int width)
{
    width = std::max(width, 1);  // a frame is at least one pixel wide
    if (Change(bevelWidth_, width)) update();
}

void TCuteButton::setAlignment(Qt::Alignment alignment)
{
    Qt::Alignment horizontal = Qt::AlignHCenter;
    if (alignment & Qt::AlignLeft)
        horizontal = Qt::AlignLeft;
    else if (alignment & Qt::AlignRight)
        horizontal = Qt::AlignRight;
    if (horizontal == alignment_) return;
    alignment_ = horizontal;
    update();
}

void TCuteButton::setLayout(TLayout layout)
{
    if (Change(layout_, layout)) update();
}

void TCuteButton::setMarginX(int margin)
{
    margin = std::max(margin, -1);
    if (Change(marginX_, margin)) update();
}

void TCuteButton::setMarginY(int margin)
{
    margin = std::max(margin, -1);
    if (Change(marginY_, margin)) update();
}

void TCuteButton::setFlat(bool flat)
{
    if (Change(flat_, flat)) update();
}

void TCuteButton::setShowFocusRect(bool show)
{
    if (Change(showFocusRect_, show)) update();
}

void TCuteButton::setDropDownMenu(QMenu* menu)
{
    if (menu == dropDownMenu_) return;
    dropDownMenu_ = menu;
    update();
}

void TCuteButton::setTabStop(bool stop)
{
    tabStop_ = stop;
    setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TCuteButton::RepaintIfDisabled()
{
    if (!isEnabled()) update();
}

void TCuteButton::SetBevelOuter(TBevel bevel)
{
    // A pressed button stays pressed until its handler returns, even while a modal box the handler
    // shows takes the focus and the pointer; the latest look held back then applies.
    if (handlerRunning_ && bevelOuter_ == bvLowered && bevel != bvLowered) {
        lookAfterHandler_ = bevel;
        return;
    }
    lookAfterHandler_.reset();
    if (bevel == bevelOuter_) return;
    const bool wasPressed = bevelOuter_ == bvLowered;
    bevelOuter_ = bevel;
    update();
    if (wasPressed != (bevel == bvLowered)) {
        QAccessible::State changed;
        changed.pressed = true;
        QAccessibleStateChangeEvent ev(this, changed);
        QAccessible::updateAccessibility(&ev);
    }
}

void TCuteButton::UpdateShortcut()
{
    if (shortcutId_ != 0) releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption_);
    if (!mnemonic.isEmpty()) shortcutId_ = grabShortcut(mnemonic);
}

// ---- painting ---------------------------------------------------------------------------------

void TCuteButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect r = rect();
    p.fillRect(r, useDisabledColor_ && !isEnabled() ? disabledColor_ : color_);
    DrawBevel(p, r, bevelOuter_, bevelHighlightColor_, bevelShadowColor_, bevelWidth_);
    DrawBevel(p, r, BevelInner(), bevelHighlightColor_, bevelShadowColor_, bevelWidth_);

    const int inset = flat_ ? bevelWidth_ : 2 * bevelWidth_;
    QRect t = rect().adjusted(inset, inset, -inset, -inset);
    if (marginX_ != -1) {
        if (alignment_ == Qt::AlignLeft)
            t.setLeft(t.left() + marginX_);
        else if (alignment_ == Qt::AlignRight)
            t.setRight(t.right() - marginX_);
    }
    if (marginY_ != -1) {
        if (layout_ == blTop)
            t.setTop(t.top() + marginY_);
        else if (layout_ == blBottom)
            t.setBottom(t.bottom() - marginY_);
    }
    if (bevelOuter_ == bvLowered) t.adjust(2, 2, 0, 0);

    const Qt::Alignment vertical = layout_ == blTop      ? Qt::AlignTop
                                   : layout_ == blBottom ? Qt::AlignBottom
                                                         : Qt::AlignVCenter;
    const int flags = int(alignment_ | vertical) | Qt::TextSingleLine | Qt::TextShowMnemonic;
    p.setFont(font());
    QColor textColor = palette().color(QPalette::Active, QPalette::WindowText);
    if (!isEnabled()) {
        p.setPen(PlatformHighlight());
        p.drawText(t.translated(1, 1), flags, caption_);
        textColor = PlatformShadow();
    }
    p.setPen(textColor);
    p.drawText(t, flags, caption_);

    if (showFocusRect_ && hasFocus()) DrawFocusRect(p, t.adjusted(2, 2, -2, -2), textColor);
}

// ---- state changes ----------------------------------------------------------------------------

bool TCuteButton::event(QEvent* e)
{
    if (e->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(e);
        if (shortcutId_ != 0 && se->shortcutId() == shortcutId_) {
            const QWidget* owner = parentWidget() ? parentWidget() : this;
            if (!isEnabled() || !owner->isVisible()) return false;
            PressByAccelerator();
            return true;
        }
    }
    return QWidget::event(e);
}

void TCuteButton::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            // A press that began before the button was disabled must not click once it is enabled again.
            pressedBySpace_ = false;
            mouseHeld_ = false;
            capture_ = false;
            FreeDropDownTimer();
        }
        update();
    } else if (e->type() == QEvent::FontChange || e->type() == QEvent::PaletteChange) {
        update();
    }
    QWidget::changeEvent(e);
}

// Qt still sends enter and leave to a disabled widget; a disabled button takes no mouse input
// and keeps its look.
void TCuteButton::enterEvent(QEnterEvent* e)
{
    if (!pointerInside_ && isEnabled()) {
        pointerInside_ = true;
        MouseEnter(QGuiApplication::keyboardModifiers(), QGuiApplication::mouseButtons(), e->position().toPoint());
    }
    QWidget::enterEvent(e);
}

void TCuteButton::leaveEvent(QEvent* e)
{
    if (pointerInside_ && isEnabled()) {
        pointerInside_ = false;
        MouseLeave(QGuiApplication::keyboardModifiers(), QGuiApplication::mouseButtons(),
                   mapFromGlobal(QCursor::pos()));
    }
    QWidget::leaveEvent(e);
}

// Qt holds back enter and leave while a button is held on the widget; the player still expects
// the button to come up when the pointer is dragged off it and to go down again when it returns.
void TCuteButton::mouseMoveEvent(QMouseEvent* e)
{
    if (capture_) {
        const QPoint pos = e->position().toPoint();
        const bool inside = rect().contains(pos);
        if (inside != pointerInside_) {
            pointerInside_ = inside;
            if (inside)
                MouseEnter(e->modifiers(), e->buttons(), pos);
            else
                MouseLeave(e->modifiers(), e->buttons(), pos);
        }
    }
    QWidget::mouseMoveEvent(e);
}

void TCuteButton::MouseEnter(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint pos)
{
    QPointer<TCuteButton> self(this);
    emit OnMouseEnter(modifiers, buttons, pos);
    if (self) SetBevelOuter(buttons & Qt::LeftButton ? bvLowered : bvRaised);
}

void TCuteButton::MouseLeave(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint pos)
{
    QPointer<TCuteButton> self(this);
    emit OnMouseLeave(modifiers, buttons, pos);
    if (self && !(hasFocus() && tabFocusUp_)) SetBevelOuter(bvNone);
}

void TCuteButton::focusInEvent(QFocusEvent* e)
{
    // A popup menu borrows the focus only in Qt; the platform's menus leave it where it was.
    // A click on an inactive window hands out the focus only after the press: stay pressed.
    if (e->reason() != Qt::PopupFocusReason && tabFocusUp_ && !mouseHeld_) SetBevelOuter(bvRaised);
    QWidget::focusInEvent(e);
}

void TCuteButton::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason) SetBevelOuter(bvNone);
}

// The look after a key press or release has done its work.
void TCuteButton::RestoreAfterKey() { SetBevelOuter(tabFocusUp_ ? bvRaised : bvNone); }

// ---- mouse ------------------------------------------------------------------------------------

void TCuteButton::mousePressEvent(QMouseEvent* e)
{
    setFocus(Qt::MouseFocusReason);
    capture_ = true;
    if (e->button() == Qt::LeftButton) {
        mouseHeld_ = true;
        SetBevelOuter(bvLowered);
        if (dropDownMenu_) {
            dropDownByKey_ = false;
            StartDropDown();
        }
    }
    e->accept();
}

void TCuteButton::mouseDoubleClickEvent(QMouseEvent* e)
{
    // No double-click notion: the second press is just another press.
    mousePressEvent(e);
}

void TCuteButton::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        ReleaseLeft(e->position().toPoint());
    } else {
        FreeDropDownTimer();
        capture_ = false;
    }
    e->accept();
}

void TCuteButton::ReleaseLeft(QPoint pos)
{
    const bool inside = rect().contains(pos);
    const bool click = mouseHeld_ && inside;
    mouseHeld_ = false;
    capture_ = false;
    if (click) {
        // The handler runs while the button is still drawn pressed.
        QPointer<TCuteButton> self(this);
        Click();
        if (!self) return;
    }
    const bool activeControl = window()->focusWidget() == this;
    SetBevelOuter(inside || (tabFocusUp_ && activeControl) ? bvRaised : bvNone);
    FreeDropDownTimer();
}

// ---- keyboard ---------------------------------------------------------------------------------

void TCuteButton::keyPressEvent(QKeyEvent* e)
{
    QPointer<TCuteButton> self(this);
    switch (e->key()) {
    case Qt::Key_Space:
        pressedBySpace_ = true;
        SetBevelOuter(bvLowered);
        if (dropDownMenu_) {
            dropDownByKey_ = true;
            StartDropDown();
        }
        e->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SetBevelOuter(bvLowered);
        if (dropDownMenu_ && dropDownDelay_ == 0)
            DropDown();
        else
            Click();
        if (self) RestoreAfterKey();
        e->accept();
        return;
    default: break;
    }
    if (pressedBySpace_) {
        pressedBySpace_ = false;
        RestoreAfterKey();
    }
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusNextPrevChild(false);
        e->accept();
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusNextPrevChild(true);
        e->accept();
        return;
    default: QWidget::keyPressEvent(e);
    }
}

void TCuteButton::keyReleaseEvent(QKeyEvent* e)
{
    // The windowing system pairs every repeat with a release while the key is still held.
    if (e->isAutoRepeat()) {
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Space) {
        ReleaseSpace();
        e->accept();
        return;
    }
    FreeDropDownTimer();
    QWidget::keyReleaseEvent(e);
}

void TCuteButton::ReleaseSpace()
{
    FreeDropDownTimer();
    if (!pressedBySpace_) return;
    pressedBySpace_ = false;
    QPointer<TCuteButton> self(this);
    Click();
    if (self) RestoreAfterKey();
}

void TCuteButton::PressByAccelerator()
{
    QPointer<TCuteButton> self(this);
    SetBevelOuter(bvLowered);
    if (dropDownMenu_ && dropDownDelay_ == 0)
        DropDown();
    else
        Click();
    if (self) RestoreAfterKey();
}

// ---- click ------------------------------------------------------------------------------------

void TCuteButton::Click()
{
    if (swallowNextClick_) {
        swallowNextClick_ = false;
        return;
    }
    if (handlerRunning_) {
        // The handler is on the stack (it spun the event loop). Never run it twice at once:
        // keep the click for afterwards, or lose it when continued clicks are ignored.
        if (!egnoreContClick_) ++pendingClicks_;
        return;
    }
    QPointer<TCuteButton> self(this);
    // Off again however the handler leaves, an error included: a button must never stay busy.
    struct RunningGuard {
        QPointer<TCuteButton> button;
        ~RunningGuard()
        {
            if (!button) return;
            button->handlerRunning_ = false;
            button->pendingClicks_ = 0;
            if (const auto look = std::exchange(button->lookAfterHandler_, std::nullopt)) button->SetBevelOuter(*look);
        }
    } running{self};
    handlerRunning_ = true;
    int runs = 1;
    while (runs > 0) {
        --runs;
        const bool ignoreMeanwhile = egnoreContClick_;
        const bool hasHandler = isSignalConnected(QMetaMethod::fromSignal(&TCuteButton::clicked));
        emit clicked();
        if (!self) return;
        if (ignoreMeanwhile && hasHandler) {
            // Clicks the player made while the handler ran arrive now and find it busy: lost.
            QCoreApplication::processEvents();
            if (!self) return;
        }
        runs += pendingClicks_;
        pendingClicks_ = 0;
    }
}

// ---- drop-down --------------------------------------------------------------------------------

void TCuteButton::StartDropDown()
{
    if (dropDownDelay_ <= 0) {
        DropDown();
        return;
    }
    if (dropDownTimer_) return;
    auto* timer = new TCuteButtonTimer(this);
    timer->setInterval(dropDownDelay_);
    connect(timer, &QTimer::timeout, this, &TCuteButton::DropDownTimerTick);
    dropDownTimer_ = timer;
    timer->start();
}

void TCuteButton::FreeDropDownTimer()
{
    if (TCuteButtonTimer* timer = dropDownTimer_.data()) {
        dropDownTimer_ = nullptr;
        timer->stop();
        timer->deleteLater();
    }
}

void TCuteButton::DropDownTimerTick()
{
    FreeDropDownTimer();
    if (dropDownByKey_) {
        DropDown();
    } else if (capture_) {
        QPointer<TCuteButton> self(this);
        DropDown();
        if (self) capture_ = false;
    }
}

void TCuteButton::DropDown()
{
    if (!dropDownMenu_) return;
    const QPoint below = mapToGlobal(QPoint(0, height()));
    QPointer<TCuteButton> self(this);
    swallowNextClick_ = true;
    QCoreApplication::processEvents();
    if (!self) return;
    if (QMenu* menu = dropDownMenu_.data()) menu->exec(below);
    if (!self) return;
    if (dropDownByKey_)
        ReleaseSpace();
    else
        ReleaseLeft(QPoint(0, 0));
    if (self) swallowNextClick_ = false;
}
