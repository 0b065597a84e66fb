#pragma once
// The application object of the game.

#include <QApplication>

// Qt lets no exception cross its event loop: an error that escapes an event handler is shown in
// the error box, and the program goes on with its next event.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs `step`; an error escaping it is shown in the error box. Returns false when one was shown.
template <class Step>
bool RunGuarded(Step&& step);

void ShowEscapedError(const char* what);

template <class Step>
bool RunGuarded(Step&& step)
{
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        ShowEscapedError(error.what());
    } catch (...) {
        ShowEscapedError(nullptr);
    }
    return false;
}
