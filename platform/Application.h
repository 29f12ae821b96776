#pragma once

#include <QApplication>
#include <QString>

namespace platform {

// Settings that must be made before the QApplication object exists.
void prepareProcess();

namespace detail {
// Runs prepareProcess() as the first base of Application, so that it always
// precedes the QApplication base, and holds back Qt's messages until the
// display is open: without one, the program says so in one line and exits
// with status 1.
struct ProcessPrepared
{
    ProcessPrepared();
};
} // namespace detail

// The program's application object: the process settings that must come
// before QApplication exists, then QApplication, then fonts and the icon.
class Application : private detail::ProcessPrepared, public QApplication
{
public:
    Application(int& argc, char** argv);
};

// The directory that holds the executable, without a trailing separator.
QString applicationDirectory();

// The family the windows ask for; substitutes map it to an installed Gothic.
inline constexpr char16_t kJapaneseGothic[] = u"ＭＳ Ｐゴシック";

} // namespace platform
