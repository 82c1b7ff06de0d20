// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "platform/host.h"

namespace lintrel::test {

// A host that answers from a script and records every call.
class FakeHost : public Host {
  public:
    struct Message {
        QString text;
        MsgIcon icon;
    };
    struct Start {
        QString program;
        QStringList arguments;
    };
    struct ColourCall {
        CHOOSECOLOR record;
        std::vector<std::int32_t> custom;
    };

    void MessageBox(const QString& text, MsgIcon icon) override {
        messages.push_back({text, icon});
        if (whileShowing) {
            whileShowing();
        }
    }
    std::optional<QString> InputBox(const QString& prompt, const QString& initial) override {
        prompts.push_back(prompt);
        initialTexts.push_back(initial);
        return Pop(inputAnswers);
    }
    std::optional<QString> OpenFileDialog(const CommonDialog& dialog) override {
        fileDialogs.push_back(dialog);
        return Pop(fileAnswers);
    }
    bool ChooseColorA(CHOOSECOLOR& record) override {
        ColourCall call{record, {}};
        if (record.lpCustColors != nullptr) {
            call.custom.assign(record.lpCustColors, record.lpCustColors + 16);
            record.lpCustColors[3] = 0x123456;  // the user defines a custom colour
        }
        colourCalls.push_back(call);
        if (whileChoosing) {
            whileChoosing();
        }
        if (colourAnswers.empty() || !colourAnswers.front()) {
            if (!colourAnswers.empty()) {
                colourAnswers.pop_front();
            }
            return false;
        }
        record.rgbResult = static_cast<std::int32_t>(*colourAnswers.front());
        colourAnswers.pop_front();
        return true;
    }
    std::optional<std::uint32_t> SystemColour(int index) override {
        const auto found = systemColours.find(index);
        if (found == systemColours.end()) {
            return std::nullopt;
        }
        return found->second;
    }
    QStringList FontFamilies() override { return families; }
    QString ResolveFontFamily(const QString& requested) override {
        return requested == QStringLiteral("MS Sans Serif") ? resolvedSansSerif : requested;
    }
    QSize ScreenSize() override { return screen; }
    QSize AvailableSize() override { return available.isValid() ? available : screen; }
    QSize DesktopSize() override { return desktop; }
    std::vector<QRect> Screens() override {
        return screens.empty() ? std::vector<QRect>{QRect(QPoint(0, 0), screen)} : screens;
    }
    bool CanPlaceWindows() override { return canPlaceWindows; }
    bool StartProgram(const QString& program, const QStringList& arguments) override {
        starts.push_back({program, arguments});
        return startable.count(program) > 0;
    }
    QDateTime LocalNow() override { return now; }
    void TellTerminal(const QString& line) override { terminal.push_back(line); }
    QString ProgramFolder() override { return folder; }

    std::vector<QString> MessageTexts() const {
        std::vector<QString> texts;
        for (const auto& m : messages) {
            texts.push_back(m.text);
        }
        return texts;
    }

    // The next scripted answer; an exhausted script answers Cancel.
    static std::optional<QString> Pop(std::deque<std::optional<QString>>& answers) {
        std::optional<QString> answer;
        if (!answers.empty()) {
            answer.swap(answers.front());
            answers.pop_front();
        }
        return answer;
    }

    std::vector<Message> messages;
    std::vector<QString> terminal;       // lines told to the terminal
    std::function<void()> whileShowing;  // runs while a message box is open
    std::vector<QString> prompts;
    std::vector<QString> initialTexts;
    std::deque<std::optional<QString>> inputAnswers;
    std::vector<CommonDialog> fileDialogs;
    std::deque<std::optional<QString>> fileAnswers;
    std::vector<ColourCall> colourCalls;
    std::deque<std::optional<std::uint32_t>> colourAnswers;
    std::function<void()> whileChoosing;  // runs while the chooser is open
    std::map<int, std::uint32_t> systemColours{{5, 0xFFFFFF}, {8, 0x000000}, {15, 0xC0C0C0}};
    QStringList families{QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif"),
                         QStringLiteral("Liberation Mono"), QStringLiteral("Noto Sans, Bold"),
                         QStringLiteral("Cantarell [urw]")};
    QString resolvedSansSerif = QStringLiteral("DejaVu Sans");
    QSize screen{1280, 800};
    QSize desktop{2560, 1600};
    std::vector<QRect> screens;  // empty: the one screen of size `screen`
    QSize available;             // invalid: all of `screen`
    bool canPlaceWindows = true;
    std::vector<Start> starts;
    std::set<QString> startable;
    QDateTime now{QDate(2026, 12, 7), QTime(8, 41, 33)};
    QString folder;
};

}  // namespace lintrel::test
