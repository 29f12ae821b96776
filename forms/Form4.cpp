#include "forms/Form4.h"

Form4::Form4(Windows& windows) : m_windows(windows)
{
    setObjectName(QStringLiteral("Form4"));
}
