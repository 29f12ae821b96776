#include "forms/Windows.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "forms/Form6.h"
#include "platform/Accessibility.h"
#include "platform/Module.h"

Windows::Windows(Module1& module) : m_module(module) {}

Windows::~Windows() = default;

void Windows::startUp()
{
    Form1& form = palette();
    form.Load();
    form.show();
}

Form1& Windows::palette()
{
    if (!m_palette) {
        m_palette = std::make_unique<Form1>(*this);
        platform::nameControlsFromCaptions(*m_palette);
    }
    return *m_palette;
}

Form2& Windows::showForm2()
{
    return m_form2.show([this] { return new Form2(*this); });
}

Form3& Windows::showForm3()
{
    return m_form3.show([] { return new Form3; });
}

Form4& Windows::showForm4()
{
    return m_form4.show([this] { return new Form4(*this); });
}

Form6& Windows::showForm6()
{
    return m_form6.show([] {
        using Create = QWidget* (*)();
        const auto create = reinterpret_cast<Create>(platform::resolveModuleFunction(
            QStringLiteral("petatto-browser"), "petattoCreateForm6"));
        return static_cast<Form6*>(create());
    });
}

Form2* Windows::form2() const
{
    return m_form2.get();
}

Form3* Windows::form3() const
{
    return m_form3.get();
}

Form4* Windows::form4() const
{
    return m_form4.get();
}

Form6* Windows::form6() const
{
    return m_form6.get();
}
