#pragma once

class QCoreApplication;

// Qt's own texts (buttons of questions, the calendar's month and day names)
// in Chinese, as on the instrument: installs Qt's Chinese translation and
// makes Chinese (China) the default locale. False when the translation
// files are not installed (the texts then stay English).
bool UseChineseTexts(QCoreApplication& app);
