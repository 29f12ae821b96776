#include "forms/Form6.h"

Form6::Form6()
{
    setObjectName(QStringLiteral("Form6"));
}
