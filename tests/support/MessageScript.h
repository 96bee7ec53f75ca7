// Answers the program's message boxes while it lives, in place of the hook that was set before,
// which it puts back when it goes. The boxes are expected in order, each with the answer it gets;
// a box nobody expected fails the test with its text. Every box shown is recorded.
#pragma once

#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace trv::testsupport {

class MessageScript {
public:
    using Chooser = std::function<platform::MsgAnswer(const platform::MessageRequest&)>;

    MessageScript()
        : previous_(
              platform::setMessageHook([this](const platform::MessageRequest& box) { return answer(box); }))
    {
    }
    ~MessageScript() { platform::setMessageHook(std::move(previous_)); }
    MessageScript(const MessageScript&) = delete;
    MessageScript& operator=(const MessageScript&) = delete;

    // The next box must say text; it is answered with answer.
    void expect(const QString& text, platform::MsgAnswer answer) { expected_.push_back({text, answer}); }
    // The next count boxes, whatever they say, are answered with answer.
    void expectAny(platform::MsgAnswer answer, int count = 1)
    {
        for (; count > 0; --count)
            expected_.push_back({std::nullopt, answer});
    }
    // Boxes beyond the expected ones are answered by choose instead of failing the test (a test
    // that answers each box at random).
    void answerOthers(Chooser choose) { others_ = std::move(choose); }

    bool allAnswered() const { return expected_.empty(); }
    // Drops the expected boxes that have not shown.
    void forgetExpected() { expected_.clear(); }

    const std::vector<platform::MessageRequest>& seen() const { return seen_; }
    void clearSeen() { seen_.clear(); }
    // Runs as each box shows, before it is answered.
    std::function<void(const platform::MessageRequest&)> whenShown;

private:
    struct Expected {
        std::optional<QString> text; // none: any text
        platform::MsgAnswer answer;
    };

    platform::MsgAnswer answer(const platform::MessageRequest& box)
    {
        seen_.push_back(box);
        if (whenShown)
            whenShown(box);
        if (expected_.empty()) {
            if (others_)
                return others_(box);
            ADD_FAILURE() << "unexpected message box: " << box.text.toStdString();
            return platform::MsgAnswer::Cancel;
        }
        const Expected next = expected_.front();
        expected_.pop_front();
        if (next.text) {
            EXPECT_EQ(box.text.toStdString(), next.text->toStdString())
                << "a message box other than the one expected";
        }
        return next.answer;
    }

    std::deque<Expected> expected_;
    Chooser others_;
    std::vector<platform::MessageRequest> seen_;
    platform::MessageHook previous_;
};

} // namespace trv::testsupport
