#include "core/data/RunStateRows.h"

#include "core/data/CFormat.h"
#include "core/data/CPublic.h"
#include "core/data/ParameterRows.h"

#include <cmath>

namespace {

// Seconds of the day of the next reading; a damaged file's number beyond
// any day (or not a number) reads as 0, as an unreadable text does.
int SecondsOfDay(float seconds) {
    constexpr float kLargest = 2.0f * 86400.0f;
    return std::fabs(seconds) <= kLargest ? static_cast<int>(seconds) : 0;
}

constexpr RowSlot kReadingCount{31, TextField::value2};
constexpr RowSlot kControlState{41, TextField::value};
constexpr RowSlot kStageChanged{42, TextField::value};
constexpr RowSlot kLastTarget{43, TextField::value};
constexpr RowSlot kStageReached{44, TextField::value};
constexpr RowSlot kNextReadingTime{45, TextField::value};
constexpr RowSlot kReadingStep{46, TextField::value};
constexpr RowSlot kSaveDate{kLastRunStateRow, TextField::value};

QByteArray Load(float load) {
    return CFormat("%.2f", static_cast<double>(load));
}

// "%.0d": the precision 0 prints nothing for 0.
QByteArray Count(int value) {
    return CFormat("%.0d", value);
}

QDate DateOf(const QByteArray& text) {
    const QDate date = QDate::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd"));
    // Only the exact text the saver writes names a date.
    return date.isValid() && DateText(date) == text ? date : QDate();
}

} // namespace

void WriteTargetLoadText(std::vector<Record>& rows, float targetLoad) {
    SetRowBytes(rows, kTargetLoadSlot, Load(targetLoad));
}

void WriteRunStateTexts(std::vector<Record>& rows, const RunStateTexts& state) {
    if (rows.size() < 74)
        return;
    WriteTargetLoadText(rows, state.targetLoad);
    SetRowBytes(rows, kReadingCount, Count(state.readingCount));
    SetRowBytes(rows, kControlState, state.ended ? QByteArrayLiteral("00") : Count(state.controlState));
    SetRowBytes(rows, kStageChanged, Count(state.stageChanged ? 1 : 0));
    SetRowBytes(rows, kLastTarget, Load(state.lastTarget));
    SetRowBytes(rows, kStageReached, Count(state.stageReached ? 1 : 0));
    SetRowBytes(rows, kNextReadingTime, Count(state.nextReadingTime));
    SetRowBytes(rows, kReadingStep, Count(state.readingStep));
    SetRowBytes(rows, kSaveDate, DateText(state.saveDate));
}

RunStateTexts ReadRunStateTexts(const std::vector<Record>& rows) {
    RunStateTexts state;
    if (rows.size() < 74)
        return state;
    auto text = [&rows](RowSlot slot) { return RowString(rows, slot); };
    auto flag = [&rows](RowSlot slot) { return RowBytes(rows, slot).startsWith('1'); };
    state.targetLoad = ReadNumber(text(kTargetLoadSlot));
    state.readingCount = ReadInteger(text(kReadingCount));
    state.controlState = ReadInteger(text(kControlState));
    state.ended = RowBytes(rows, kControlState) == "00";
    state.stageChanged = flag(kStageChanged);
    state.lastTarget = ReadNumber(text(kLastTarget));
    state.stageReached = flag(kStageReached);
    state.nextReadingTime = SecondsOfDay(ReadNumber(text(kNextReadingTime)));
    state.readingStep = ReadInteger(text(kReadingStep));
    state.saveDate = DateOf(RowBytes(rows, kSaveDate));
    return state;
}
