#include "forms/Form3.h"

Form3::Form3()
{
    setObjectName(QStringLiteral("Form3"));
}
