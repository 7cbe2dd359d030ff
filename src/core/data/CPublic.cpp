#include "core/data/CPublic.h"

#include <charconv>
#include <cstring>

CPublic::CPublic() : templateRow(Record::Template()) {
    ResetTest();
}

void CPublic::ResetTest() {
    run.Post(RunCommands::Reset{});
    calibrationCoefficient = 2.077f;
    sensorSensitivity = 2.13f;
    plateArea = 1.0f;
    sensorRange = 80;
    pressureMode = 1;
    pressureSensor = 1;
    jackCount = 1;
    setupStep = 0;
    viewDirty = false;
    loadInKN = true;
    autoAdvance = true;
    readingCount = 0;
    rowCount = 0;
    rowMeasured.clear();
    copyCount = 0;
    gaugeMask = 0x0F;
    nextReadingText.clear();

    // Every other run-state flag and counter.
    stageChanged = false;
    stageReached = false;
    stageReachedMark = false;
    stageTimer = 0;
    fullUnloadTimer = 0;
    readingStep = 0;
    nextReadingTime = 0;
    scheduleNow = 0;
    windowTaken = false;
    stageDone = false;
    testFinished = false;
    manualReadingRequested = false;
    maxLoadPromptOpen = false;
    resyncSplit = false;
    resyncActive = false;
    missedReading = false;
    pumpRunSeconds = 0;
    pressureAlarm = false;
    unevenAlarm = false;
    alarmSeconds = 0;
    uploadFlags = 0;
    timeChanged = false;
    rangeAdjustPending = false;
    gaugeAdjusted.fill(false);
    // Readings taken before the operator starts the test again are marked.
    interruptedMark = true;
    resumedPumpClosed = false;

    loadDirection = 1;
    loadZero = 0;
    loadOffset = 0;
    gaugeDirection.fill(1);
    gaugeZero.fill(0.0f);
    gaugeOffset.fill(0.0f);
    gaugeOn.fill(0);
    for (int k = 0; k < 4; ++k)
        gaugeOn[k] = 1;

    recordList.clear();
    gprs.ResetLink();

    // The 74 blank rows carry placeholder texts that change cumulatively
    // with the row index, as the panel built them.
    templateRow = Record::Template();
    recordList.reserve(74);
    for (int row = 0; row < 74; ++row) {
        if (row == 6)
            templateRow.textValue[0] = '1';
        if (row == 12)
            templateRow.textLong[0] = '1';
        if (row >= 31 && row <= 34)
            templateRow.textValue[0] = '0';
        if ((row >= 50 && row <= 60) || row == 69)
            templateRow.textLong[0] = '0';
        recordList.push_back(templateRow);
    }
}

bool IsNumber(const QString& text) {
    qsizetype start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (text.size() <= start)
        return false;
    int points = 0;
    for (qsizetype i = start; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('.')) {
            if (++points > 1 || i == start || i == text.size() - 1)
                return false;
        } else if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

float ReadNumber(const QString& text) {
    // Like a "%f" scan: leading white space, an optional sign, then the
    // longest number; the rest of the text is ignored. Locale-independent.
    const QByteArray bytes = text.trimmed().toLatin1();
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    if (first != last && (*first == '+' || *first == '-'))
        return 0.0f;
    float value = 0.0f;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc())
        return 0.0f;
    return negative ? -value : value;
}

QString FormatSeconds(int seconds) {
    if (seconds >= 86400)
        seconds -= 86400;
    return QString::asprintf("%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
}
