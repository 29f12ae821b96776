#pragma once

#include "platform/Window.h"

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
class Windows
{
public:
    explicit Windows(Module1& module);
    ~Windows();

    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;

    // Creates the palette, runs its start-up sequence and shows it.
    void startUp();

    Module1& module() const { return m_module; }
    Form1& palette();

    Form2& showForm2();
    Form3& showForm3();
    Form4& showForm4();
    Form6& showForm6();

    Form2* form2() const;
    Form3* form3() const;
    Form4* form4() const;
    Form6* form6() const;

private:
    Module1& m_module;
    // Declared first so it is destroyed last: the other windows may read it.
    std::unique_ptr<Form1> m_palette;
    platform::WindowHolder<Form2> m_form2;
    platform::WindowHolder<Form3> m_form3;
    platform::WindowHolder<Form4> m_form4;
    platform::WindowHolder<Form6> m_form6;
};
