#pragma once
// The real help viewer behind the help seam: the program's HTML help page in a browser window
// owned by the main window.

#include "shell/Seams.h"

#include <QPointer>
#include <QString>

#include <QTextBrowser>
class QWidget;

namespace qx {

// The program's help file and the window that owns the help window (the main menu), set once
// when the main menu is created.
void SetHelpFile(const QString& path, QWidget* owner);
QString HelpFile();

class TextHelpViewer : public HelpViewer {
public:
    ~TextHelpViewer() override;
    // Opens (or raises) the help window at the top of the page. A missing or unreadable file is
    // reported inside the window.
    void showContents() override;
    // The help window once it has been opened; for tests.
    QTextBrowser* Browser() const { return browser_; }

private:
    void Load();
    QPointer<QTextBrowser> browser_;
};

}  // namespace qx
