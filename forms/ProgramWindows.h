#pragma once

#include "platform/Window.h"

#include <functional>
#include <memory>

struct Module1;
class Form1;
class Form2;
class Form3;
class Form4;
class Form6;

// The program's windows and the one way to open them: the palette lives for
// the whole run; every other window is created on first use, only brought
// forward while open, and destroyed when closed.
class ProgramWindows
{
public:
    explicit ProgramWindows(Module1& module);
    ~ProgramWindows();

    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // Creates the palette, runs its start-up sequence and shows it. The
    // sequence's last step, the welcome window or the service browser, follows
    // the palette's first paint; `finished` runs once it is over.
    void startUp(std::function<void()> finished = {});

    Module1& module() const { return m_module; }
    Form1& palette();

    Form2& showEditor();
    Form3& showHelp();
    Form4& showWelcome(platform::Activation activation = platform::Activation::Take);
    Form6& showBrowser(platform::Activation activation = platform::Activation::Take);

    Form2* editor() const;
    Form3* help() const;
    Form4* welcome() const;
    Form6* browser() const;

private:
    Module1& m_module;
    // Declared first so it is destroyed last: the other windows may read it.
    std::unique_ptr<Form1> m_palette;
    platform::WindowHolder<Form2> m_editor;
    platform::WindowHolder<Form3> m_help;
    platform::WindowHolder<Form4> m_welcome;
    platform::WindowHolder<Form6> m_browser;
};
