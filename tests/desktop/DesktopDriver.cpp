// Plays the installed game as far as the desktop check needs, on a desktop without input: opens
// Puzzle I and Puzzle II from the menu, maximizes each as the toolkit's title bar would, asks each for a new problem,
// answers the start question with キャンセル and goes back. Each step is printed on stderr ("driver: ..."), with the
// window that a box or game window is transient for.
#include <QApplication>
#include <QGenericPlugin>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

void Say(const QString& text) { std::fprintf(stderr, "driver: %s\n", qPrintable(text)); }

QWidget* ShownWindow(const QString& title)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == title) return w;
    return nullptr;
}

QMessageBox* ShownBox()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) return box;
    return nullptr;
}

QString TransientFor(const QWidget* w)
{
    const QWindow* parent = w->windowHandle() ? w->windowHandle()->transientParent() : nullptr;
    return parent ? QStringLiteral("\"%1\"").arg(parent->title()) : QStringLiteral("nothing");
}

bool Press(QWidget* window, const QString& caption)
{
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->inherits("TCuteButton") && w->property("Caption").toString() == caption) {
            QMetaObject::invokeMethod(w, "clicked", Qt::QueuedConnection);
            return true;
        }
    return false;
}

class Driver : public QObject {
public:
    explicit Driver(int stepMs)
    {
        for (const auto& [button, title] : {std::pair{QStringLiteral("QXパズルⅠ"), QStringLiteral("　QXパズルⅠ")},
                                            std::pair{QStringLiteral("QXパズルⅡ"), QStringLiteral("QXパズルⅡ")}}) {
            steps_.push_back([=] {
                QWidget* menu = ShownWindow(QStringLiteral("ＱＸパズル"));
                if (!menu || !Press(menu, button)) return false;
                Say(QStringLiteral("menu shown, %1 pressed").arg(button));
                return true;
            });
            steps_.push_back([=, this] {
                QWidget* game = ShownWindow(title);
                if (!game || ShownBox()) return false;
                Say(QStringLiteral("game \"%1\" shown %2x%3, transient for %4, maximize offered: %5")
                        .arg(title)
                        .arg(game->width())
                        .arg(game->height())
                        .arg(TransientFor(game))
                        .arg(game->windowFlags() & Qt::WindowMaximizeButtonHint ? "yes" : "no"));
                // What the maximize button of the toolkit's own title bar does.
                shownSize_ = game->size();
                maximized_ = false;
                connect(game->windowHandle(), &QWindow::windowStateChanged, this,
                        [this](Qt::WindowState state) { maximized_ = maximized_ || state == Qt::WindowMaximized; });
                game->windowHandle()->setWindowStates(Qt::WindowMaximized);
                return true;
            });
            steps_.push_back([=, this] {
                QWidget* game = ShownWindow(title);
                if (!game || !maximized_ || game->windowHandle()->windowStates() != Qt::WindowNoState ||
                    game->size() != shownSize_)
                    return false;
                Say(QStringLiteral("game \"%1\" maximize undone, %2x%3")
                        .arg(title)
                        .arg(game->width())
                        .arg(game->height()));
                return Press(game, QStringLiteral("新しい問題"));
            });
            steps_.push_back([=] {
                QMessageBox* box = ShownBox();
                if (!box) return false;
                Say(QStringLiteral("box \"%1\" \"%2\" shown, transient for %3")
                        .arg(box->windowTitle(), box->text(), TransientFor(box)));
                box->reject();
                return true;
            });
            steps_.push_back([=] {
                QWidget* game = ShownWindow(title);
                if (!game || ShownBox()) return false;
                game->close();
                Say(QStringLiteral("game \"%1\" closed").arg(title));
                return true;
            });
        }
        steps_.push_back([] {
            QWidget* menu = ShownWindow(QStringLiteral("ＱＸパズル"));
            if (!menu || ShownBox() || QApplication::activeModalWidget()) return false;
            Say(QStringLiteral("done: menu %1x%2").arg(menu->width()).arg(menu->height()));
            return true;
        });
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (next_ < steps_.size() && steps_[next_]()) ++next_;
        });
        timer_.start(stepMs);
    }

private:
    std::vector<std::function<bool()>> steps_;
    size_t next_ = 0;
    QSize shownSize_;
    bool maximized_ = false;
    QTimer timer_;
};

}  // namespace

class DesktopDriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "driver.json")
public:
    // "qxdriver:<ms>" takes a step every <ms> milliseconds (500 by default), time to look.
    QObject* create(const QString& key, const QString& parameter) override
    {
        const int stepMs = parameter.toInt();
        return key == QLatin1String("qxdriver") ? new Driver(stepMs > 0 ? stepMs : 500) : nullptr;
    }
};

#include "DesktopDriver.moc"
