#include "shell/HelpViewer.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QWindow>

namespace qx {

namespace {
QString helpFile;
QPointer<QWidget> helpOwner;
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
    load();

    // While a game window is shown modally, a window owned by the menu would take no input;
    // hanging the help window on the modal one keeps it scrollable without changing its owner.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != browser_) {
        browser_->winId();
        if (QWindow* w = browser_->windowHandle()) {
            if (browser_->isVisible()) browser_->hide();
            w->setTransientParent(modal->windowHandle());
        }
    }
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
}

void TextHelpViewer::load()
{
    const QFileInfo file(helpFile);
    if (helpFile.isEmpty() || !file.isFile() || !file.isReadable()) {
        browser_->setHtml(QStringLiteral("<h2>ヘルプファイルが見つかりません</h2><p>%1</p>")
                              .arg(helpFile.toHtmlEscaped()));
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
