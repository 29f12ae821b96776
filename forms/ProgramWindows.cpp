#include "forms/ProgramWindows.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "forms/Form6.h"
#include "forms/Form6Module.h"
#include "platform/Module.h"

ProgramWindows::ProgramWindows(Module1& module) : m_module(module)
{
    // The browser opens later, perhaps after the package was upgraded under
    // the running program.
    platform::keepModule(QStringLiteral(PETATTO_BROWSER_MODULE));
}

ProgramWindows::~ProgramWindows() = default;

void ProgramWindows::startUp(std::function<void()> finished)
{
    Form1& form = palette();
    const Form1::Companion companion = form.Load();
    // The palette is what the user works with, and the browser engine alone
    // costs several times the palette's whole start: the second window waits
    // until the palette is on screen instead of the other way round.
    platform::afterFirstPaint(form, [&form, companion, finished = std::move(finished)] {
        form.openCompanion(companion);
        if (finished)
            finished();
    });
    form.show();
}

Form1& ProgramWindows::palette()
{
    if (!m_palette) {
        m_palette = std::make_unique<Form1>(*this);
        platform::prepareControls(*m_palette);
    }
    return *m_palette;
}

Form2& ProgramWindows::showEditor()
{
    return m_editor.show([this] { return new Form2(*this); });
}

Form3& ProgramWindows::showHelp()
{
    return m_help.show([] { return new Form3; });
}

Form4& ProgramWindows::showWelcome(platform::Activation activation)
{
    return m_welcome.show([this] { return new Form4(*this); }, activation);
}

Form6& ProgramWindows::showBrowser(platform::Activation activation)
{
    return m_browser.show(
        [this] {
            const auto create =
                reinterpret_cast<decltype(&PETATTO_FORM6_FACTORY)>(platform::resolveModuleFunction(
                    QStringLiteral(PETATTO_BROWSER_MODULE), kForm6FactorySymbol));
            // The palette's boxes are the record's one copy: the browser reads
            // them through the palette when the user fills a form.
            return create([this] { return palette().record(); });
        },
        activation);
}

Form2* ProgramWindows::editor() const
{
    return m_editor.get();
}

Form3* ProgramWindows::help() const
{
    return m_help.get();
}

Form4* ProgramWindows::welcome() const
{
    return m_welcome.get();
}

Form6* ProgramWindows::browser() const
{
    return m_browser.get();
}
