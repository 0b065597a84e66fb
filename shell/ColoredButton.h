#pragma once
// The push button of every window: paints its own face in any colour with a thin 3-D frame that
// rises while hot or focused and sinks while pressed; can drop a menu down below itself.

#include <QColor>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <optional>

class TCuteButton;

// The timer of a delayed drop-down; the button owns it, so a running one dies with the button.
class TCuteButtonTimer : public QTimer {
    Q_OBJECT
public:
    explicit TCuteButtonTimer(TCuteButton* owner);
    TCuteButton* button = nullptr;
};

// The caption is drawn in the widget font and the palette's WindowText colour (set a palette for
// a coloured caption); the click is the clicked() signal.
class TCuteButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(QColor DisabledColor READ DisabledColor WRITE setDisabledColor)
    Q_PROPERTY(bool UseDisabledColor READ UseDisabledColor WRITE setUseDisabledColor)
    Q_PROPERTY(QColor BevelHighlightColor READ BevelHighlightColor WRITE setBevelHighlightColor)
    Q_PROPERTY(QColor BevelShadowColor READ BevelShadowColor WRITE setBevelShadowColor)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE setBevelWidth)
    Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(TLayout Layout READ Layout WRITE setLayout)
    Q_PROPERTY(int MarginX READ MarginX WRITE setMarginX)
    Q_PROPERTY(int MarginY READ MarginY WRITE setMarginY)
    Q_PROPERTY(bool Flat READ Flat WRITE setFlat)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(bool TabFocusUp READ TabFocusUp WRITE setTabFocusUp)
    Q_PROPERTY(bool EgnoreContClick READ EgnoreContClick WRITE setEgnoreContClick)
    Q_PROPERTY(QMenu* DropDownMenu READ DropDownMenu WRITE setDropDownMenu)
    Q_PROPERTY(int DropDownDelay READ DropDownDelay WRITE setDropDownDelay)
    Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop)
    Q_PROPERTY(TBevel BevelOuter READ BevelOuter)

public:
    // The designed enumerators and the property setters keep their own spelling (Qt's set…).
    // NOLINTBEGIN(readability-identifier-naming)
    enum TLayout { blTop, blCenter, blBottom };
    Q_ENUM(TLayout)
    enum TBevel { bvNone, bvLowered, bvRaised };
    Q_ENUM(TBevel)

    explicit TCuteButton(QWidget* parent = nullptr);
    ~TCuteButton() override;

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    QColor Color() const { return color_; }
    void setColor(const QColor& color);
    QColor DisabledColor() const { return disabledColor_; }
    void setDisabledColor(const QColor& color);
    bool UseDisabledColor() const { return useDisabledColor_; }
    void setUseDisabledColor(bool use);
    QColor BevelHighlightColor() const { return bevelHighlightColor_; }
    void setBevelHighlightColor(const QColor& color);
    QColor BevelShadowColor() const { return bevelShadowColor_; }
    void setBevelShadowColor(const QColor& color);
    int BevelWidth() const { return bevelWidth_; }
    void setBevelWidth(int width);
    Qt::Alignment Alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    TLayout Layout() const { return layout_; }
    void setLayout(TLayout layout);  // hides QWidget::setLayout: nothing is placed on a button
    int MarginX() const { return marginX_; }
    void setMarginX(int margin);
    int MarginY() const { return marginY_; }
    void setMarginY(int margin);
    bool Flat() const { return flat_; }
    void setFlat(bool flat);
    bool ShowFocusRect() const { return showFocusRect_; }
    void setShowFocusRect(bool show);
    bool TabFocusUp() const { return tabFocusUp_; }
    void setTabFocusUp(bool up) { tabFocusUp_ = up; }
    bool EgnoreContClick() const { return egnoreContClick_; }
    void setEgnoreContClick(bool ignore) { egnoreContClick_ = ignore; }
    QMenu* DropDownMenu() const { return dropDownMenu_; }
    void setDropDownMenu(QMenu* menu);
    int DropDownDelay() const { return dropDownDelay_; }
    void setDropDownDelay(int ms) { dropDownDelay_ = ms; }
    bool TabStop() const { return tabStop_; }
    void setTabStop(bool stop);
    // NOLINTEND(readability-identifier-naming)

    TBevel BevelOuter() const { return bevelOuter_; }
    TBevel BevelInner() const { return flat_ ? bvNone : bvRaised; }

    QSize sizeHint() const override { return {75, 25}; }

    // Drops the menu down now, or after DropDownDelay while the button is still held.
    virtual void StartDropDown();
    virtual void DropDown();
    // The click operation: what a left release inside, Space, Enter or the accelerator raises.
    void Click();

signals:
    void clicked();  // NOLINT(readability-identifier-naming): Qt's name for a button's click
    void OnMouseEnter(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint pos);
    void OnMouseLeave(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint pos);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

    virtual void MouseEnter(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint pos);
    virtual void MouseLeave(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint pos);

private:
    void SetBevelOuter(TBevel bevel);
    void RestoreAfterKey();
    void PressByAccelerator();
    void ReleaseLeft(QPoint pos);
    void ReleaseSpace();
    void FreeDropDownTimer();
    void DropDownTimerTick();
    void UpdateShortcut();
    void RepaintIfDisabled();

    QString caption_;
    QColor color_;
    QColor disabledColor_;
    bool useDisabledColor_ = false;
    QColor bevelHighlightColor_;
    QColor bevelShadowColor_;
    int bevelWidth_ = 1;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    TLayout layout_ = blCenter;
    int marginX_ = -1;
    int marginY_ = -1;
    bool flat_ = false;
    bool showFocusRect_ = false;
    bool tabFocusUp_ = true;
    bool egnoreContClick_ = false;
    QPointer<QMenu> dropDownMenu_;
    int dropDownDelay_ = 0;
    bool tabStop_ = true;

    TBevel bevelOuter_ = bvNone;
    bool pressedBySpace_ = false;
    bool dropDownByKey_ = false;
    bool swallowNextClick_ = false;
    QPointer<TCuteButtonTimer> dropDownTimer_;
    bool mouseHeld_ = false;                  // a left press on the button not yet released
    bool capture_ = false;                    // the button holds the mouse: a button went down on it
    bool pointerInside_ = false;              // the pointer is over the button as far as enter/leave went
    bool handlerRunning_ = false;             // the click handler is on the stack
    int pendingClicks_ = 0;                   // clicks that came in while it ran, delivered after it
    std::optional<TBevel> lookAfterHandler_;  // a look held back while a pressed button's handler ran
    int shortcutId_ = 0;
};
