// Test doubles shared by the Qt tests: a settable clock, a recording sound player, scripted
// answers to the program's questions, and a page that reports what the main window asked.
#pragma once

#include <QStringList>
#include <QWidget>
#include <deque>
#include <set>

#include "engine/Clock.h"
#include "engine/SoundPlayer.h"
#include "shell/MainPage.h"
#include "shell/UserPrompts.h"

namespace tvtest {

class FakeClock final : public tv::IClock {
public:
    explicit FakeClock(tv::DateTime now) : m_now(now) {}
    tv::DateTime Now() const override { return m_now; }
    void Set(tv::DateTime now) { m_now = now; }
    void Advance(int seconds) { m_now += tv::TimeSpan::FromSeconds(seconds); }

private:
    tv::DateTime m_now;
};

class RecordingSoundPlayer final : public tv::ISoundPlayer {
public:
    void Play(const QString& fileName) override { played << fileName; }
    QStringList played;
};

// Answers questions from a queue (Yes when it runs dry) and records every text it was shown.
class ScriptedPrompts final : public tv::IUserPrompts {
public:
    bool AskYesNo(QWidget*, const QString& caption, const QString& text) override {
        asked << caption + QStringLiteral(": ") + text;
        if (yesNo.empty()) return true;
        const bool answer = yesNo.front();
        yesNo.pop_front();
        return answer;
    }
    tv::DeleteAnswer AskDeleteRecurring(QWidget*) override {
        asked << QStringLiteral("Delete Events");
        if (deleteAnswers.empty()) return tv::DeleteAnswer::Yes;
        const tv::DeleteAnswer answer = deleteAnswers.front();
        deleteAnswers.pop_front();
        return answer;
    }
    void Tell(QWidget*, const QString& caption, const QString& text, bool) override {
        told << caption + QStringLiteral(": ") + text;
    }

    std::deque<bool> yesNo;
    std::deque<tv::DeleteAnswer> deleteAnswers;
    QStringList asked, told;
};

// A page with a selection the test sets, recording the main window's calls.
class FakePage final : public QWidget, public tv::IMainPage {
public:
    std::vector<uint32_t> SelectedEventIds() const override { return selection; }
    bool RemoveEvent(uint32_t id) override {
        removed.push_back(id);
        std::erase(selection, id);
        return true;
    }
    void RefreshEvent(uint32_t id) override { refreshed.push_back(id); }
    void Rebuild() override { ++rebuilds; }
    void SetUpdatesSuspended(bool s) override { suspendCalls.push_back(s); }

    std::vector<uint32_t> selection, removed, refreshed;
    std::vector<bool> suspendCalls;
    int rebuilds = 0;
};

}  // namespace tvtest
