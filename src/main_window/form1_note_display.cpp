// SPDX-License-Identifier: GPL-3.0-or-later
// Showing notes and moving between them.
#include <QLabel>

#include <new>

#include "desktop/busy_cursor.h"
#include "main_window/form1.h"
#include "platform/code_page.h"
#include "platform/host.h"
#include "platform/number_reading.h"

namespace lintrel {

namespace {

const QString kEndOfFile = QStringLiteral("Reached end of file.");
const QString kBeginningOfFile = QStringLiteral("Reached beginning of file.");

QString LineCaption(int k) {
    return QStringLiteral("Line number: ") + QString::number(k);
}

// The message for a note number outside 1 to `count`.
void ReportLine(Host& host, LineCheck check, std::size_t count) {
    const QString range = QString::number(count) + QLatin1Char('.');
    if (check == LineCheck::BelowOne) {
        host.MessageBox(QStringLiteral("Line number specified by you is smaller than 1. "
                                       "Please specify a number within 1 and ") +
                            range,
                        MsgIcon::Information);
    } else {
        host.MessageBox(QStringLiteral("Line number specified by you exceeds the number of "
                                       "lines present in the file. Please specify a number "
                                       "within 1 and ") +
                            range,
                        MsgIcon::Information);
    }
}

}  // namespace

void Form1::SetNoteText(const NoteText& text) {
    try {
        Text1->SetNote(codePage_, text);
    } catch (const std::bad_alloc&) {
        // A note too large for the memory left is not shown; the window stays usable.
        Text1->clear();
    }
}

void Form1::ShowCaption(int k) {
    line_shown->setText(LineCaption(k));
    line_shown->setToolTip(QStringLiteral("Note %1 of %2").arg(k).arg(NoteList.Count()));
}

void Form1::ShowNote(int k) {
    SetNoteText(NoteList.TextOf(static_cast<std::size_t>(k)));
    CurrentLine = static_cast<std::int16_t>(k);
    ShowCaption(k);
}

void Form1::ShowLine(std::int16_t n) {
    const LineCheck check = CheckLine(n, NoteList.Count());
    if (check == LineCheck::Show) {
        ShowNote(n);
    } else {
        ReportLine(host_, check, NoteList.Count());
    }
}

void Form1::ShowRandomLine() {
    const QDateTime now = host_.LocalNow();
    const ClockReading clock{now.time().second(), now.time().minute(), now.time().hour(),
                             now.date().day(),    now.date().month(),  now.date().year()};
    random_.Reseed(RandomSeed(clock));
    // An empty list has nothing to draw: the window keeps what it shows.
    const std::optional<int> k = DrawRandomNote(NoteList, random_);
    if (!k) {
        return;
    }
    CurrentLine = static_cast<std::int16_t>(*k);
    ShowCaption(*k);
    SetNoteText(NoteList.TextOf(static_cast<std::size_t>(*k)));
}

void Form1::Command1_Click() {
    if (const std::optional<int> k = PreviousNote(NoteList, CurrentLine)) {
        ShowNote(*k);
    } else {
        host_.MessageBox(kBeginningOfFile, MsgIcon::Information);
    }
}

void Form1::Command2_Click() {
    if (const std::optional<int> k = NextNote(NoteList, CurrentLine)) {
        ShowNote(*k);
    } else {
        host_.MessageBox(kEndOfFile, MsgIcon::Information);
    }
}

void Form1::Command7_Click() {
    ShowRandomLine();
}

void Form1::Command8_Click() {
    const std::optional<QString> answer =
        host_.InputBox(QStringLiteral("Enter the line number you want to display:"), QString());
    if (!answer || answer->isEmpty()) {
        return;
    }
    const GoToCheck check = CheckGoTo(answer->toStdString(), NoteList.Count());
    switch (check.result) {
        case GoToCheck::Result::Show:
            ShowLine(check.note);
            break;
        case GoToCheck::Result::BelowOne:
            ReportLine(host_, LineCheck::BelowOne, NoteList.Count());
            break;
        case GoToCheck::Result::AboveCount:
            ReportLine(host_, LineCheck::AboveCount, NoteList.Count());
            break;
        case GoToCheck::Result::BeyondShown:
            host_.MessageBox(QStringLiteral("Line number specified by you exceeds the highest "
                                            "line number Lintrel can show. Please specify a "
                                            "number within 1 and %1.")
                                 .arg(kHighestShownNote),
                             MsgIcon::Information);
            break;
    }
}

void Form1::FindNote() {
    const std::optional<QString> text =
        host_.InputBox(QStringLiteral("Find the next note containing:"), lastSearch_);
    if (!text || text->isEmpty()) {
        return;
    }
    lastSearch_ = *text;
    FindText(*text);
}

void Form1::FindAgain() {
    if (lastSearch_.isEmpty()) {
        FindNote();
        return;
    }
    FindText(lastSearch_);
}

void Form1::FindText(const QString& text) {
    std::optional<FoundNote> found;
    try {
        const BusyCursor busy;
        found = lintrel::FindNote(NoteList, CurrentLine, text, codePage_);
    } catch (const std::bad_alloc&) {
        // Too little memory left even for a piece of a note: the window stays as it was.
        return;
    }
    if (found) {
        ShowLine(static_cast<std::int16_t>(found->note));
        // The match selected and on screen, in a note of any length.
        try {
            Text1->SelectMatch(text, found->near);
        } catch (const std::bad_alloc&) {
        }
        return;
    }
    host_.MessageBox(QStringLiteral("No note contains the text you specified."),
                     MsgIcon::Information);
}

}  // namespace lintrel
