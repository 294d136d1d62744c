#pragma once
// Qt's own Japanese texts: the standard buttons of message boxes and dialogs read
// "はい"/"いいえ"/"キャンセル" rather than "Yes"/"No"/"Cancel".

class QCoreApplication;

// Installs the Japanese translations of Qt that come with the Qt installation; false when
// they are not there (the buttons then stay in English).
bool installQtTranslations(QCoreApplication &app);
