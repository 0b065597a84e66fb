#include "shell/Application.h"

#include "shell/Seams.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QWidget>

namespace {

// The style's overflow icon of a menu bar, read from its image file when it is first drawn.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap which, const QWidget* widget)
        : style_(style), which_(which), widget_(const_cast<QWidget*>(widget))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    // Sizes here count device pixels.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Icon().pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    bool isNull() override { return Icon().isNull(); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& Icon()
    {
        if (!loaded_ && style_) icon_ = style_->standardIcon(which_, nullptr, widget_);
        loaded_ = true;
        return icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    QPointer<QWidget> widget_;
    QIcon icon_;
    bool loaded_ = false;
};

// The platform's style, except that a menu bar's overflow icon is read when first drawn: every
// menu bar asks for it when it is made, and reading its file makes the toolkit load every
// image-format plugin (GIF, ICO, JPEG) before the first window can be shown, although our menu
// bars never overflow and the program reads no other image at start-up.
class MenuBarStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        const bool overflow =
            which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton;
        // An option lives only as long as the call.
        if (!overflow || option) return QProxyStyle::standardIcon(which, option, widget);
        return QIcon(new DeferredIconEngine(baseStyle(), which, widget));
    }
};

}  // namespace

void ShowEscapedError(const char* what)
{
    qx::Messages().error(what && *what ? QString::fromUtf8(what) : QStringLiteral("予期しないエラーが発生しました。"));
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Every window keeps its menu bar inside it, also on desktops with a global menu; this also
    // spares start-up the search for a global-menu service on the session bus.
    setAttribute(Qt::AA_DontUseNativeMenuBar);
    setStyle(new MenuBarStyle);
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    RunGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
