#include "forms/Form2.h"

Form2::Form2(Windows& windows) : m_windows(windows)
{
    setObjectName(QStringLiteral("Form2"));
}
