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
    TCuteButton* FCuteButton = nullptr;
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
    enum TLayout { blTop, blCenter, blBottom };
    Q_ENUM(TLayout)
    enum TBevel { bvNone, bvLowered, bvRaised };
    Q_ENUM(TBevel)

    explicit TCuteButton(QWidget* parent = nullptr);
    ~TCuteButton() override;

    QString Caption() const { return FCaption; }
    void setCaption(const QString& caption);
    QColor Color() const { return FColor; }
    void setColor(const QColor& color);
    QColor DisabledColor() const { return FDisabledColor; }
    void setDisabledColor(const QColor& color);
    bool UseDisabledColor() const { return FUseDisabledColor; }
    void setUseDisabledColor(bool use);
    QColor BevelHighlightColor() const { return FBevelHighlightColor; }
    void setBevelHighlightColor(const QColor& color);
    QColor BevelShadowColor() const { return FBevelShadowColor; }
    void setBevelShadowColor(const QColor& color);
    int BevelWidth() const { return FBevelWidth; }
    void setBevelWidth(int width);
    Qt::Alignment Alignment() const { return FAlignment; }
    void setAlignment(Qt::Alignment alignment);
    TLayout Layout() const { return FLayout; }
    void setLayout(TLayout layout);  // hides QWidget::setLayout: nothing is placed on a button
    int MarginX() const { return FMarginX; }
    void setMarginX(int margin);
    int MarginY() const { return FMarginY; }
    void setMarginY(int margin);
    bool Flat() const { return FFlat; }
    void setFlat(bool flat);
    bool ShowFocusRect() const { return FShowFocusRect; }
    void setShowFocusRect(bool show);
    bool TabFocusUp() const { return FTabFocusUp; }
    void setTabFocusUp(bool up) { FTabFocusUp = up; }
    bool EgnoreContClick() const { return FEgnoreContClick; }
    void setEgnoreContClick(bool ignore) { FEgnoreContClick = ignore; }
    QMenu* DropDownMenu() const { return FDropDownMenu; }
    void setDropDownMenu(QMenu* menu);
    int DropDownDelay() const { return FDropDownDelay; }
    void setDropDownDelay(int ms) { FDropDownDelay = ms; }
    bool TabStop() const { return FTabStop; }
    void setTabStop(bool stop);

    TBevel BevelOuter() const { return FBevelOuter; }
    TBevel BevelInner() const { return FFlat ? bvNone : bvRaised; }

    QSize sizeHint() const override { return {75, 25}; }

    // Drops the menu down now, or after DropDownDelay while the button is still held.
    virtual void StartDropDown();
    virtual void DropDown();
    // The click operation: what a left release inside, Space, Enter or the accelerator raises.
    void Click();

signals:
    void clicked();
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

    QString FCaption;
    QColor FColor;
    QColor FDisabledColor;
    bool FUseDisabledColor = false;
    QColor FBevelHighlightColor;
    QColor FBevelShadowColor;
    int FBevelWidth = 1;
    Qt::Alignment FAlignment = Qt::AlignHCenter;
    TLayout FLayout = blCenter;
    int FMarginX = -1;
    int FMarginY = -1;
    bool FFlat = false;
    bool FShowFocusRect = false;
    bool FTabFocusUp = true;
    bool FEgnoreContClick = false;
    QPointer<QMenu> FDropDownMenu;
    int FDropDownDelay = 0;
    bool FTabStop = true;

    TBevel FBevelOuter = bvNone;
    bool PressedBySpace = false;
    bool DropDownByKey = false;
    bool SwallowNextClick = false;
    QPointer<TCuteButtonTimer> DropDownTimer;
    bool FMouseHeld = false;                  // a left press on the button not yet released
    bool FCapture = false;                    // the button holds the mouse: a button went down on it
    bool FPointerInside = false;              // the pointer is over the button as far as enter/leave went
    bool FHandlerRunning = false;             // the click handler is on the stack
    int FPendingClicks = 0;                   // clicks that came in while it ran, delivered after it
    std::optional<TBevel> FLookAfterHandler;  // a look held back while a pressed button's handler ran
    int FShortcutId = 0;
};
