#include "shell/HelpViewer.h"

#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

namespace qx {

namespace {
QString helpFile;
QPointer<QWidget> helpOwner;

// A window owned by the menu takes no input while a game or record window is modal. Hanging the
// help window on the modal one keeps it usable without changing its owner.
void HangOnModalWindow(QWidget* help, QWidget* modal)
{
    help->winId();
    if (QWindow* w = help->windowHandle()) w->setTransientParent(modal->windowHandle());
}

// A help window left open while a game or record window opens over the menu is hung on that
// window too, so that it can still be scrolled. Message boxes block it only while they are shown.
class FollowModalWindow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowBlocked) {
            QPointer<QWidget> help = static_cast<QWidget*>(watched);
            QPointer<QWidget> modal = qobject_cast<QMainWindow*>(QApplication::activeModalWidget());
            if (modal)
                QTimer::singleShot(0, this, [help, modal] {
                    if (help && modal && modal->isVisible()) HangOnModalWindow(help, modal);
                });
        }
        return QObject::eventFilter(watched, event);
    }
};
}  // namespace

void SetHelpFile(const QString& path, QWidget* owner)
{
    helpFile = path;
    helpOwner = owner;
}

QString HelpFile() { return helpFile; }

TextHelpViewer::~TextHelpViewer()
{
    if (browser_ && !browser_->parent()) delete browser_.data();
}

void TextHelpViewer::showContents()
{
    if (!browser_) {
        browser_ = new QTextBrowser(helpOwner);
        browser_->setWindowFlag(Qt::Window);
        browser_->installEventFilter(new FollowModalWindow(browser_));
        browser_->setObjectName(QStringLiteral("HelpWindow"));
        browser_->setWindowTitle(QStringLiteral("ＱＸパズル　遊び方"));
        browser_->setOpenExternalLinks(true);
        browser_->resize(680, 600);
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = browser_->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            browser_->move(frame.topLeft());
        }
    }
    Load();

    // Shown again over the modal window it now belongs to.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != browser_) {
        if (browser_->isVisible()) browser_->hide();
        HangOnModalWindow(browser_, modal);
    }
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
}

void TextHelpViewer::Load()
{
    const QFileInfo file(helpFile);
    if (helpFile.isEmpty() || !file.isFile() || !file.isReadable()) {
        browser_->setHtml(
            QStringLiteral("<h2>ヘルプファイルが見つかりません</h2><p>%1</p>").arg(helpFile.toHtmlEscaped()));
    } else {
        const QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
        if (browser_->source() == url)
            browser_->reload();
        else
            browser_->setSource(url);
    }
    browser_->moveCursor(QTextCursor::Start);
    browser_->verticalScrollBar()->setValue(0);
}

}  // namespace qx
