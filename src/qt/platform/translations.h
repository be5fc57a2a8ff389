#pragma once

namespace qtui {

// Puts Qt's own texts (the buttons of every dialog, the file dialog and its questions) into
// Simplified Chinese, the only language of the program, whatever the machine's language. Needs the
// application object; asking again changes nothing. False when Qt's catalogue is not installed:
// those texts then stay English.
bool loadQtChinese();

} // namespace qtui
