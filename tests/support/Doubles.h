#pragma once
// Test doubles of the message-box, sound and help seams: they record what the program asked for
// and answer confirmations from a script. Construct one of each per test case; it installs
// itself and puts the previous implementation back when it goes.

#include "shell/Seams.h"

#include <QList>
#include <QString>
#include <deque>
#include <functional>

namespace qx::test {

struct Box {
    enum Kind { Confirm, Plain, Info, Error } kind;
    QString text;
    BoxPosition pos;
};

class FakeMessages : public MessageBoxes {
public:
    FakeMessages() : previous_(&Messages()) { InstallMessages(this); }
    ~FakeMessages() override { InstallMessages(previous_); }

    // Answers for the next confirmations, in order; when they run out, confirmations answer OK.
    std::deque<bool> answers;
    QList<Box> boxes;
    // Runs while a box is "open", for tests that act during a modal box (timers, clicks).
    std::function<void(const Box&)> whileOpen;

    bool confirm(const QString& text, BoxPosition pos) override
    {
        record({Box::Confirm, text, pos});
        if (answers.empty()) return true;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void plain(const QString& text, BoxPosition pos) override { record({Box::Plain, text, pos}); }
    void info(const QString& text) override { record({Box::Info, text, std::nullopt}); }
    void error(const QString& text) override { record({Box::Error, text, std::nullopt}); }

    QStringList texts() const
    {
        QStringList t;
        for (const Box& b : boxes) t << b.text;
        return t;
    }
    const Box& last() const { return boxes.back(); }

private:
    void record(const Box& b)
    {
        boxes << b;
        if (whileOpen) whileOpen(b);
    }
    MessageBoxes* previous_;
};

class FakeSounds : public SoundPlayer {
public:
    FakeSounds() : previous_(&Sounds()) { InstallSounds(this); }
    ~FakeSounds() override { InstallSounds(previous_); }

    QList<int> ids;
    QStringList files;
    void play(int id, const QString& fileName) override
    {
        ids << id;
        files << fileName;
    }

private:
    SoundPlayer* previous_;
};

class FakeHelp : public HelpViewer {
public:
    FakeHelp() : previous_(&Help()) { InstallHelp(this); }
    ~FakeHelp() override { InstallHelp(previous_); }

    int requests = 0;
    void showContents() override { ++requests; }

private:
    HelpViewer* previous_;
};

}  // namespace qx::test
